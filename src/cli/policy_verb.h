// vanbrisk-cli policy templates DIR [LANGUAGES]: writes the Group Policy
// templates (vanbrisk.admx, and CULTURE\vanbrisk.adml for each shipped
// language) into the host folder DIR, the translations taken from the
// language files of the host folder LANGUAGES (the program's folder when
// left out, as the machine holds it).
#pragma once

#include <string>
#include <vector>

#include "app/program.h"
#include "cli/verb_io.h"
#include "platform/scripted_ui.h"

namespace vb::cli {

int RunPolicyVerb(app::Program& program, platform::ScriptedUi* ui,
                  const std::vector<std::string>& args, VerbIo io);

}  // namespace vb::cli
