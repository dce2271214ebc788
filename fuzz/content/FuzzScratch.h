#pragma once
// The content readers read files: each fuzz input is written to a file in a scratch folder that
// lives as long as the process.

#include <QString>

#include <cstddef>
#include <cstdint>

// The scratch folder of this process.
QString FuzzScratchFolder();

// Writes the input to `relativePath` under the scratch folder and returns the full path.
QString WriteFuzzInput(const QString& relativePath, const uint8_t* data, size_t size);

// Ends the run with a message when a reader broke one of its promises.
void FuzzCheck(bool condition, const char* what);
