#pragma once

// Which project commands are usable: follows whether a project is open and
// whether any project is stored (toolenabled).
struct MenuState {
    bool workOnProject = false; // Maintenance, Project; toolbar 4
    bool graphs = false;        // Graphs; toolbar 11
    bool closeProject = false;
    bool newProject = false;
    bool openProject = false; // also toolbar 2
    bool editProject = false;
    bool deleteProject = false;
    bool toolbarOpenProject = false;

    static MenuState forState(bool projectOpen, bool anyProjectStored);
};
