#pragma once
// Socket error numbers as the socket component reports them: this platform's errno values are
// translated into the Windows sockets codes, whose table gives the texts "<code>:<message>".

#include <QString>

namespace winsock {

constexpr int WouldBlock = 10035;   // "Operation would block": an expected result, never raised
constexpr int InProgress = 10036;   // "Operation now in progress"
constexpr int NotConnected = 10057; // "Socket is not connected": the connection is gone
constexpr int ConnectionReset = 10054;
constexpr int ConnectionRefused = 10061;
constexpr int InvalidArgument = 10022;

// Codes above this are errors of the socket layer (CheckError raises them).
constexpr int ErrorBase = 10000;
// errno values without a Windows sockets counterpart are reported as UnmappedBase + errno, above every
// code of the table, so that they are raised as "Unknown Error No. <code>" instead of being ignored.
constexpr int UnmappedBase = 20000;

// The Windows sockets code of an errno value (EAGAIN gives WouldBlock); 0 stays 0.
int fromErrno(int error);

// "<code>:<message>" from the table, or "Unknown Error No. <code>" for a code it does not list.
QString errorText(int code);

} // namespace winsock
