#include "MenuState.h"

MenuState MenuState::forState(bool projectOpen, bool anyProjectStored) {
    MenuState s;
    s.workOnProject = s.graphs = s.closeProject = projectOpen;
    s.newProject = s.openProject = s.editProject = s.deleteProject = !projectOpen;
    s.toolbarOpenProject = !projectOpen;
    if (!anyProjectStored)
        s.openProject = s.editProject = s.deleteProject = false;
    return s;
}
