#pragma once

struct MessageLog;
struct SignalTable;

// Lists the declared signals by kind, with timing and range.
void reportSignalList(const SignalTable &table, MessageLog &log);
