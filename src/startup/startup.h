// The program's entry: start-up, the main loop, the orderly end.
#pragma once

// Runs the whole game; answers the process exit code.
int RunGame(int argc, char** argv);
