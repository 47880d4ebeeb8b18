#pragma once

// The status ladder of a part line: Purchased implies Forecast implies
// Selected. Holds the three check boxes of a panel and whether the two lower
// ones may be changed by the user.
class StatusLadder {
public:
    struct State {
        bool selected = false;
        bool forecast = false;
        bool purchased = false;
        bool selectedEnabled = true;
        bool forecastEnabled = true;

        bool operator==(const State&) const = default;
    };

    // checkboxes: a higher step checks the ones below it and locks them; a
    // cleared step unlocks them and leaves their values alone.
    static State checkboxes(State state);
};
