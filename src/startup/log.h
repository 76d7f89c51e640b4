// The optional diagnostic log: one line per event, label + two TABs + value,
// UTF-8 without a byte-order mark, CR LF line ends. Written only when the
// program was started with "/LOG"; every call is harmless otherwise.
#pragma once

#include <string>

bool OpenLog(const std::string& path, const std::string& title);
void EnableLog();
void WriteLog(const std::string& text);
void CloseLog();
bool LogEnabled();
std::string Tabs(int n);
// label + Tabs(2) + value
void WriteLogLine(const std::string& label, const std::string& value);
