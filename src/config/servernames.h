#pragma once

// The server used when Server.Dat names none, and the server the logon dialog
// offers on a workstation that has no Server.Dat yet (the hosted configuration
// server). Kept here, in one place.
inline constexpr const char* kDefaultServerName = "ZAQSERVER";
inline constexpr const char* kHostedServerName = "config.zaqhosted.example";

// The login every connection of the suite uses.
inline constexpr const char* kSuiteLogin = "zaq";
inline constexpr const char* kSuitePassword = "hollyoak";

// The workstation's file that remembers the server, in the working folder.
inline constexpr const char* kServerFile = "Server.Dat";
