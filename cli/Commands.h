#pragma once
// The commands of the verdanto tool. Each takes the arguments after its name
// and returns the process exit status.

#include <string>
#include <vector>

namespace verdanto::cli {

using Args = std::vector<std::string>;

int RunDict(const Args& args);    // verdanto dict PATH
int RunFormat(const Args& args);  // verdanto format --idd DICT [--no-comments] -o OUT IN...
int RunStats(const Args& args);   // verdanto stats --idd DICT IN...
int RunCheck(const Args& args);   // verdanto check --idd DICT IN...
int RunRefs(const Args& args);    // verdanto refs --idd DICT [--reference] [NAME]
int RunRelations(const Args& args);  // verdanto relations --idd DICT ... --class C [--object N] IN...
int RunRename(const Args& args);  // verdanto rename --idd DICT --class C --object N --field F --to NEW -o OUT IN...
// verdanto surface --idd D --dxf DRAWING --entity HANDLE --class C [--object N] [--flip] [--order CCW|CW]
//   [--corner LLC|LRC|ULC|URC] [--shift K] [--name TEXT] [--ucs world|object] -o OUT IN
int RunSurface(const Args& args);

}  // namespace verdanto::cli
