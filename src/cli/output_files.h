#pragma once
// The files a command reads and writes. No output may be one of its inputs or another of its
// outputs, so that a slip on the command line (--out onto the program, one name for two
// outputs) never overwrites what the command reads nor mixes two outputs into one file.
#include <string>
#include <vector>

// Two names are the same file when they name the same device and inode; a file that does not
// exist yet is compared by its normalised absolute path (links in its folders resolved).
// Empty names are passed over; "-" among the outputs is standard output. Standard output redirected into a file is also
// compared with the inputs, since every command prints there.
// Empty when no output clashes; else a German message (Windows-1252) naming both.
std::string OutputClash(const std::vector<std::string>& inputs,
                        const std::vector<std::string>& outputs);

// Prints the message of OutputClash and gives true when an output clashes; the command then
// writes nothing and ends with the usage exit code.
bool RefuseOutputClash(const std::vector<std::string>& inputs,
                       const std::vector<std::string>& outputs);
