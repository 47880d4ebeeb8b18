#include "Criteria.h"

namespace {

class Parser {
public:
    explicit Parser(const QString& text)
        : m_s(text) {}

    std::optional<Criteria::Comparison> comparison(QString* error) {
        skipSpace();
        const int start = m_i;
        while (m_i < m_s.size() && (m_s[m_i].isLetterOrNumber() || m_s[m_i] == u'_'))
            ++m_i;
        Criteria::Comparison c;
        c.column = m_s.mid(start, m_i - start);
        if (c.column.isEmpty())
            return fail(error, QStringLiteral("a column name was expected"));
        skipSpace();
        if (!op(c.op))
            return fail(
                error, QStringLiteral("a comparison operator was expected after %1").arg(c.column));
        skipSpace();
        if (m_i < m_s.size() && m_s[m_i] == u'\'') {
            ++m_i;
            c.quoted = true;
            for (;;) {
                if (m_i >= m_s.size())
                    return fail(error, QStringLiteral("a closing quote is missing"));
                if (m_s[m_i] == u'\'') {
                    if (m_i + 1 < m_s.size() && m_s[m_i + 1] == u'\'') {
                        c.value.append(u'\'');
                        m_i += 2;
                        continue;
                    }
                    ++m_i;
                    break;
                }
                c.value.append(m_s[m_i++]);
            }
        } else {
            const int vstart = m_i;
            while (m_i < m_s.size() && !m_s[m_i].isSpace())
                ++m_i;
            c.value = m_s.mid(vstart, m_i - vstart);
            if (c.value.isEmpty())
                return fail(error, QStringLiteral("a value was expected after %1").arg(c.column));
        }
        return c;
    }

    // True when another comparison follows (" and "), false at the end.
    std::optional<bool> conjunction(QString* error) {
        skipSpace();
        if (m_i >= m_s.size())
            return false;
        if (m_s.mid(m_i, 3).compare(QStringLiteral("and"), Qt::CaseInsensitive) == 0 &&
            m_i + 3 < m_s.size() && m_s[m_i + 3].isSpace()) {
            m_i += 3;
            return true;
        }
        if (error)
            *error = QStringLiteral("\"and\" was expected at \"%1\"").arg(m_s.mid(m_i));
        return std::nullopt;
    }

private:
    void skipSpace() {
        while (m_i < m_s.size() && m_s[m_i].isSpace())
            ++m_i;
    }

    bool op(Criteria::Op& out) {
        static const struct {
            const char16_t* text;
            Criteria::Op op;
        } ops[] = {{u"<>", Criteria::Op::NotEqual},     {u"<=", Criteria::Op::LessEqual},
                   {u">=", Criteria::Op::GreaterEqual}, {u"=", Criteria::Op::Equal},
                   {u"<", Criteria::Op::Less},          {u">", Criteria::Op::Greater}};
        for (const auto& o : ops) {
            const QString t = QString::fromUtf16(o.text);
            if (m_s.mid(m_i, t.size()) == t) {
                m_i += int(t.size());
                out = o.op;
                return true;
            }
        }
        return false;
    }

    static std::nullopt_t fail(QString* error, const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    }

    const QString& m_s;
    int m_i = 0;
};

} // namespace

std::optional<Criteria> Criteria::parse(const QString& text, QString* error) {
    Criteria out;
    if (text.trimmed().isEmpty())
        return out;
    Parser p(text);
    for (;;) {
        auto c = p.comparison(error);
        if (!c) {
            if (error)
                *error = QStringLiteral("Cannot read the criteria \"%1\": %2").arg(text, *error);
            return std::nullopt;
        }
        out.m_comparisons.append(*c);
        auto more = p.conjunction(error);
        if (!more) {
            if (error)
                *error = QStringLiteral("Cannot read the criteria \"%1\": %2").arg(text, *error);
            return std::nullopt;
        }
        if (!*more)
            break;
    }
    return out;
}

QString Criteria::quoted(const QString& value) {
    QString v = value;
    v.replace(u'\'', QStringLiteral("''"));
    return u'\'' + v + u'\'';
}

QString Criteria::equals(const QString& column, const QString& value) {
    return column + QStringLiteral(" = ") + quoted(value);
}
