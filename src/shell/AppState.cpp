#include "AppState.h"

AppState::AppState(QObject* parent)
    : QObject(parent) {}

bool AppState::projectOpen() const {
    return !openvehiclenumber.isEmpty() && openvehiclenumber != u"0";
}

void AppState::clearProject() {
    vehiclenumber = 0;
    vehiclenumbera = QStringLiteral("0");
    openvehiclenumber = QStringLiteral("0");
    graphic.clear();
    vehicledescription.clear();
}

void AppState::setMarker(const QString& name, const QString& value) {
    if (m_markers.value(name) == value)
        return;
    if (value.isEmpty())
        m_markers.remove(name);
    else
        m_markers.insert(name, value);
    Q_EMIT markerChanged(name, value);
}

QString AppState::statusText(int panel) const {
    if (panel < 1 || panel > 2)
        return {};
    return m_status[panel];
}

void AppState::setStatusText(int panel, const QString& text, const QString& toolTip) {
    if (panel < 1 || panel > 2)
        return;
    m_status[panel] = text;
    Q_EMIT statusTextChanged(panel, text, toolTip);
}

void AppState::handBackPart(const QString& name) {
    m_handBack = PartHandBack{name, addpartPanel, vehiclenumber};
    Q_EMIT partHandedBack();
}

std::optional<AppState::PartHandBack> AppState::takeHandBack(int project) {
    if (!m_handBack || m_handBack->project != project)
        return std::nullopt;
    auto out = m_handBack;
    m_handBack.reset();
    return out;
}
