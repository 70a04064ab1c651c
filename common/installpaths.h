// Where the programs find their own files. A program runs either from a
// build tree or a copied folder, with its files beside the executable, or
// from an installed tree (PREFIX/bin/Velmo with its data in
// PREFIX/share/velmo), which may have been moved as a whole.
#pragma once
#include <string>

// The data folder of the installed tree that holds programDir
// (PREFIX/share/velmo for PREFIX/bin); "" when programDir is not the program
// folder of an installed tree.
std::string InstalledDataDir(const std::string& programDir);

// The help page: programDir/Help/index.html when it exists, else
// Help/index.html in the installed data folder when that exists, else the
// first (opening a missing help page reports nothing).
std::string HelpPagePath(const std::string& programDir);
// The help page of the running program.
std::string HelpPagePath();
