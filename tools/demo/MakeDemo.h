#pragma once
// ravo-tool make-demo [--base FOLDER]
//   Writes the demo session into the user's data folder (the session folder of school S1 and
//   user U1, where the player looks for it), stores its launch text as the launch fallback file
//   and prints the launch text. With --base the session is written below FOLDER instead and no
//   fallback file is written. Exit 0 on success, 1 when a file cannot be written, 2 on bad usage.

#include <QStringList>

// args: the arguments after the subcommand's name.
int RunMakeDemo(const QStringList& args);
