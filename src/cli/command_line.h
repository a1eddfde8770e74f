// SPDX-License-Identifier: MIT
// Copyright (c) 2026 The Wrenfold developers
#pragma once

namespace wrenfold::cli {

/// Exit statuses of the terminal commands.
enum ExitStatus : int {
    success = 0,
    userError = 1, ///< the command was understood but could not be done; one line on stderr
    badUsage = 2,  ///< unknown command or option, missing or surplus arguments
};

/// True when the arguments ask for a terminal command rather than the window: the first
/// one is a word (a command name, known or not), "--help", "-h", "--version" or
/// "--notes-folder". No arguments, or options meant for the window (such as
/// "-platform offscreen"), give false.
bool isCommandLine(int argc, char **argv);

/// Runs the command named by the arguments with a QCoreApplication of its own (no
/// display is needed) and returns the process's exit status.
int runCommandLine(int argc, char **argv);

} // namespace wrenfold::cli
