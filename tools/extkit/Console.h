// The tool's edges: its command line and output are UTF-8, the library's texts
// Windows-1251. Everything between the edges is 1251, except file names, which
// are used as they were given.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// Windows-1251 text to UTF-8.
std::string Cp1251ToUtf8(const std::string& strText);
// UTF-8 text to Windows-1251; characters the code page lacks, and malformed
// sequences, become '?'.
std::string Utf8ToCp1251(const std::string& strText);

// The program's arguments after the program name, in UTF-8.
std::vector<std::string> GetUtf8Arguments(int argc, char** argv);

// Writes 1251 text (the program's own messages) as UTF-8.
void WriteText(FILE* pStream, const std::string& strCp1251);
// Writes UTF-8 text as it is (names given on the command line).
void WriteUtf8(FILE* pStream, const std::string& strUtf8);

// UTF-8 text to Windows-1251 without substitutes: false, and strCp1251 left
// as it was, when the text is malformed UTF-8 or holds a character the code
// page lacks.
bool Utf8ToCp1251Strict(const std::string& strUtf8, std::string& strCp1251);

// Reads one line without its line end (a carriage return before the line feed
// goes too); false at the end of the input.
bool ReadLine(FILE* pStream, std::string& strLine);

// A decimal integer with an optional sign, nothing else; values beyond a
// billion are held at a billion, which is out of every range the commands use.
bool ParseInt(const std::string& str, int& nValue);

// UTF-8 text with its control characters (C0, DEL and C1) written as \xHH,
// HH the character's code: input shown back in a message or an output line
// can then neither act on the terminal nor break the line.
std::string EscapeControls(const std::string& strUtf8);

// "extkit COMMAND: message" on standard error. The message is Windows-1251 and
// may quote the input; its control characters are escaped.
void ReportError(const std::string& strCommand, const std::string& strCp1251);

// A command's --batch mode: each line of the standard input (read as bytes,
// so that no Ctrl+Z ends it early) through runLine, whose output line is
// written at once; a line it refuses is also told on the standard error with
// its number. 0, or 1 when a line was refused.
using BatchLineRunner =
    std::function<bool(const std::string& strLineUtf8, std::string& strOutUtf8, std::string& strProblem)>;
int RunBatchLines(const std::string& strCommand, const BatchLineRunner& runLine);

// Tells the user of a wrong call of a command: the error, then where the
// command's usage is told; returns 2, the exit status of a wrong call.
int ReportUsageError(const std::string& strCommand, const std::string& strCp1251);
