#pragma once
// The maker's help-text library: texts of each tip by help id and kind. The library owns every text
// it returns; callers copy it.
#ifdef _WIN32
#define QUANDEO_HELP_API __stdcall
#ifdef QUANDEO_HELP_BUILDING
#define QUANDEO_HELP_DECL
#else
#define QUANDEO_HELP_DECL __declspec(dllimport)
#endif
#else
#define QUANDEO_HELP_API
#define QUANDEO_HELP_DECL __attribute__((visibility("default")))
#endif

enum QuandeoHelpTextKind { kHelpGerman = 2, kHelpEnglish = 4, kHelpRegistryKey = 5 };

extern "C" QUANDEO_HELP_DECL const char* QUANDEO_HELP_API GetHelpText(int HelpId, int HelpTextKind);
