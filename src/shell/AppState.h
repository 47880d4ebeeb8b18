#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <optional>

// The open-project state and the values the windows hand to each other. One
// object, owned by the main window for the whole run; the names are the ones
// every window knows them by.
class AppState : public QObject {
    Q_OBJECT
public:
    explicit AppState(QObject* parent = nullptr);

    // Open project. A project is open exactly when openvehiclenumber is not "0".
    int vehiclenumber = 0;
    QString vehiclenumbera = QStringLiteral("0");
    QString openvehiclenumber; // empty until start-up sets the no-project state
    QString memberhd;
    QString vehicledescription;
    QString graphic;
    QString rsl = QStringLiteral("Rastrel - ");
    QString vehicleedit = QStringLiteral("N");

    // Run flags.
    QString alreadyloaded = QStringLiteral("N");
    QString showed;

    // Hand-over values.
    qint64 holdsequence = 0;
    QString addpart;
    QString passpart;
    QString startingaddress;

    bool projectOpen() const;
    // The no-project state of start-up and Close Project.
    void clearProject();

    // Open markers, "Y" while a window exists and "" otherwise, by name
    // ("frmnewmainopen", "partdataopen", "showgraph2open", ...).
    QString marker(const QString& name) const { return m_markers.value(name); }
    void setMarker(const QString& name, const QString& value);

    // Panels of the main window's status bar that windows write (1 and 2).
    QString statusText(int panel) const;
    void setStatusText(int panel, const QString& text, const QString& toolTip = QString());

    // A part name added in the maintenance window for the worksheet that
    // asked for it. The panel that asked (1: add, 0: detail) and the project
    // are kept, so a worksheet closed meanwhile gets it when it next opens.
    struct PartHandBack {
        QString name;
        int panel = 1;
        int project = 0;
    };
    int addpartPanel = 1; // which worksheet panel asked for the part
    void handBackPart(const QString& name);
    // Takes a waiting hand-back for this project, if there is one.
    std::optional<PartHandBack> takeHandBack(int project);
    bool hasHandBack() const { return m_handBack.has_value(); }

Q_SIGNALS:
    void statusTextChanged(int panel, const QString& text, const QString& toolTip);
    void markerChanged(const QString& name, const QString& value);
    void partHandedBack();

private:
    QHash<QString, QString> m_markers;
    QString m_status[3];
    std::optional<PartHandBack> m_handBack;
};
