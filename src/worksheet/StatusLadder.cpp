#include "StatusLadder.h"

StatusLadder::State StatusLadder::checkboxes(State s) {
    if (s.purchased) {
        s.forecast = true;
        s.selected = true;
        s.forecastEnabled = false;
        s.selectedEnabled = false;
    } else {
        s.forecastEnabled = true;
        s.selectedEnabled = true;
    }
    if (s.forecast) {
        s.selected = true;
        s.selectedEnabled = false;
    } else {
        s.selectedEnabled = true;
    }
    return s;
}
