// vanbrisk-cli list [--json] [--verbose]: what a user can choose, as the program shows it
// once started: every item box and option box with its control name, its
// caption and its value, and every entry of the five application lists with
// its list and its mark. The program does not clean by itself when it opens
// for it, and the stored marks stay as they were.
//
// Text: one row per line, fields separated by tabs:
//   item    SysTemp        1  System Temporary
//   option  CBD            0  Confirm Before Deletion
//   entry   Applications   1  Adobe Acrobat
// --json: one object per line, with the field names of the other verbs'
// JSON; "source" is the name the actions of a run give for the item or entry
// (an item's English caption, whatever the language file):
//   {"kind": "item", "name": "SysTemp", "caption": "System Temporary", "checked": true,
//    "source": "System Temporary"}
//   {"kind": "option", "name": "CBD", "caption": "Confirm Before Deletion", "checked": false}
//   {"kind": "entry", "list": "Applications", "caption": "Adobe Acrobat", "checked": true,
//    "source": "Adobe Acrobat"}
#pragma once

#include <string>
#include <vector>

#include "app/program.h"
#include "cli/verb_io.h"
#include "platform/scripted_ui.h"

namespace vb::cli {

int RunListVerb(app::Program& program, platform::ScriptedUi* ui,
                const std::vector<std::string>& args, VerbIo io);

}  // namespace vb::cli
