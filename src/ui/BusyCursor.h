#pragma once

// The hourglass while a command works and the arrow afterwards, also when the
// command returns early. Guards nest; Suspend shows the arrow while a message
// box or dialog waits for the user inside a command.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    static bool isBusy();

    class Suspend {
    public:
        Suspend();
        ~Suspend();
        Suspend(const Suspend&) = delete;
        Suspend& operator=(const Suspend&) = delete;

    private:
        int m_saved = 0;
    };
};
