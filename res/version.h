#pragma once

// The program's name, version and vendor, read both by the resource script
// (the version resource Windows shows in a file's properties) and by the
// code (the about window), so that the two can never disagree. Plain macros,
// because the resource compilers understand nothing else.

#define QUILLON_TITLE "Quillon"
#define QUILLON_PRODUCT_NAME "Quillon"
#define QUILLON_FILE_DESCRIPTION "Quillon Utility"
#define QUILLON_COMPANY_NAME "Quillon Developers"
#define QUILLON_LEGAL_COPYRIGHT "Copyright (C) 2026 Quillon Developers"
#define QUILLON_EXE_NAME "quillon.exe"

#define QUILLON_VERSION_MAJOR 1
#define QUILLON_VERSION_MINOR 7
#define QUILLON_VERSION_REVISION 0

// The about window shows the web page without a scheme; the shell opens it
// as it stands.
#define QUILLON_WEB_PAGE "www.example.com/quillon"
#define QUILLON_SUPPORT_EMAIL "support@example.com"

#define QUILLON_STRINGIZE_(x) #x
#define QUILLON_STRINGIZE(x) QUILLON_STRINGIZE_(x)
// "1.7.0", spelt from the numbers above.
#define QUILLON_VERSION_TEXT \
    QUILLON_STRINGIZE(QUILLON_VERSION_MAJOR.QUILLON_VERSION_MINOR.QUILLON_VERSION_REVISION)
