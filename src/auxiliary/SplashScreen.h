#pragma once

#include <QDialog>

class QTimer;

// The start-up picture with the version. Modal; closes itself after six
// ticks of its one-second timer, or at once on a click or a key.
class SplashScreen : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTicks = 6;

    explicit SplashScreen(QWidget* parent = nullptr);

    int ticks() const { return m_ticks; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void tick();

    QTimer* m_timer = nullptr;
    int m_ticks = 0;
};
