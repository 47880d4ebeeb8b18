#pragma once

#include <QLineEdit>

#include <functional>

// An entry field that shows its value through a display format while it does
// not have the focus ("$1,234.50") and the raw text while the user edits it.
// The program always reads and writes the raw text.
class FormattedEdit : public QLineEdit {
    Q_OBJECT
public:
    using Formatter = std::function<QString(const QString& raw)>;

    explicit FormattedEdit(QWidget* parent = nullptr);

    void setFormatter(Formatter formatter);
    // Longest raw text the user may type; 0 for no limit.
    void setMaxRawLength(int length);

    QString rawText() const { return m_raw; }
    // Programmatic change; emits rawTextChanged like typing does.
    void setRawText(const QString& text);
    bool isShowingRaw() const { return m_showingRaw; }

Q_SIGNALS:
    void rawTextChanged(const QString& text);
    void focusEntered();
    void focusLeft();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showRaw();
    void showFormatted();

    Formatter m_formatter;
    QString m_raw;
    int m_maxRaw = 0;
    bool m_showingRaw = false;
};
