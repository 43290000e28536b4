#pragma once
// What every program of the suite does first: learn who it is and open the system log.
namespace tav::common {
void StartProgram(int argc, char** argv);
}
