/* Namtail.dll: the alias-name tip page, for hosts of the tweaking suite.
 *
 * Exports, by name and ordinal: 1 ModulNr, 2 ModulSaveChanges, 3 ModulChanged, 4 ModulFree,
 * 5 ModulCreate. Calling convention __stdcall (undecorated names on x86). Integers are 32-bit
 * signed. Texts are zero-terminated 8-bit strings in the system's ANSI code page; the module
 * copies them and treats a null pointer as an empty text. No C++ exception ever leaves these
 * functions.
 *
 * Calling order: ModulCreate once; then any number of ModulChanged, ModulNr and ModulSaveChanges;
 * then ModulFree once, then FreeLibrary, both from the host's top level. Calls outside that order
 * are safe: with no live page, ModulSaveChanges and ModulFree do nothing and return 1 (but
 * ModulSaveChanges returns 0 for a page that ended unsaved with its thread), and a second
 * ModulCreate frees the previous page first. While a page lives the library keeps itself loaded,
 * and only ModulFree gives that reference back, as its very last step (it ends in the system's
 * FreeLibrary, which returns straight to the host): FreeLibrary with the page open, then ModulFree,
 * unloads the library too. A page freed from inside one of its own callbacks (a message box, the
 * OK notification, an activation, a hook) keeps the library loaded until a ModulFree called from
 * the top level finds no page: call ModulFree again there. No export after the library unloaded.
 *
 * Threads: the page belongs to the thread that made it, which must run a message loop. A call from
 * another thread is carried to that thread while the caller waits, still handling messages sent to
 * its own windows; while the page's thread is inside the library with no page window (the first
 * one is still being made, or its window went and the rest still goes) it is refused instead:
 * ModulCreate makes no page, ModulFree and ModulSaveChanges return 0: call again later. A page whose thread
 * ended went with it: the first call from another thread lets it go and runs on its own thread;
 * calls from other threads meanwhile are refused. No other thread may call in while the ModulFree that lets the
 * library go runs. See docs/HostWriters.txt.
 */
#ifndef NAMTAIL_H
#define NAMTAIL_H

#include <stdint.h>

#ifdef _WIN32
#define NAMTAIL_CALL __stdcall
#define NAMTAIL_API
#else
#define NAMTAIL_CALL
#define NAMTAIL_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Creates and shows the page, a top-level window of class "NamtailTipWindow" titled Caption (a host
 * finds it with FindWindowA to send it commands), at Left, Top, Width, Height on the screen. Caption
 * is also the page's heading. EditionCode 1..18 names the running Windows edition (1..13 as
 * docs/HostWriters.txt lists them: 10 NT, 11 2000, 13 XP; 14..18 name none); ValidFor is the mask
 * of editions the tip applies to (edition n is bit n-1). Any other code makes the page not apply,
 * unless the suite's setting BSControl is 0 (a REG_DWORD in the key "SOFTWARE\Quandeo\Velmora
 * 2000" of HKCU). Language 1 is English, any other value German; HintText is kept and shown
 * nowhere; HelpId 1 selects the page's texts in QuandeoHelp.dll, any other id leaves the help
 * boxes empty. Always returns 0.
 * The page follows its window: commands 10 to 13 of the message "Quandeo" change one edge or size
 * of the window as the host, the user or the system left it, in the window's own coordinates, each
 * command counting whatever its value; the page judges its window by the window's own state, not
 * by the windows it lies in, and no command activates it. A minimized page keeps the commands for
 * where it is restored to (in the workspace of the monitor it is on), shown or hidden as it was;
 * one that was maximized as it was minimized is still restored maximized. A host may dock the page in a
 * window of its own thread (set WS_CHILD, then SetParent; with the DPI awareness of the thread
 * that called ModulCreate): the commands then place it in that window's client area. System menu
 * Close and Alt+F4 only hide the page; command 200 shows it again (restores it, when minimized) and
 * fills its heading and help boxes anew. A maximized page, shown or hidden, is restored where a
 * command places it. The checkbox takes the focus whenever the page window becomes active; a docked
 * page's on command 200, and as it shows while the focus is the page's, on the window it lies in
 * or nowhere (never from another of the host's controls). ModulCreate's Left, Top, Width or Height
 * of INT_MIN or -32768 is made 0 (a CBT hook sees that) and placed right after, before the page
 * shows. */
NAMTAIL_API int32_t NAMTAIL_CALL ModulCreate(int32_t Left, int32_t Top, int32_t Width, int32_t Height,
                                             int32_t EditionCode, int32_t Language, const char* Caption,
                                             const char* HintText, int32_t ValidFor, int32_t HelpId);

/* Destroys the page, docked or not, with every window it made. Returns 1, or 0 if destroying
 * failed: the system refused to destroy the page window (a CBT hook refusing HCBT_DESTROYWND, say);
 * the page then stays whole and current as it was (hidden for a moment, shown again), the host's
 * activation and focus as they were, and a later ModulFree tries again. From inside one of the
 * page's callbacks destruction waits for the outermost call and this returns 1; from another thread
 * while the page's thread is inside such a call, it returns 0 until the window is gone. Call it
 * before destroying a window the page is docked in. */
NAMTAIL_API int32_t NAMTAIL_CALL ModulFree(void);

/* Applies the page's settings exactly as its OK button does. Returns 1; 0 when applying failed
 * (the error has been shown to the user), as when the value's key is missing: the key
 * "System\CurrentControlSet\Control\FileSystem" of HKLM is opened for writing, never created.
 * Does nothing and returns 1 on a page that does not apply and while any OK of the library is
 * still running (its restart question open). OK ends by broadcasting its notification to every
 * top-level window, 3 s at most for each: a thread busy without handling messages costs that for
 * each of its windows, the hidden input-method window Windows gives it included. */
NAMTAIL_API int32_t NAMTAIL_CALL ModulSaveChanges(void);

/* 0 when nothing was modified; else 1 while unsaved, 2 once saved. Nothing in this page sets the
 * modified state, so here it is always 0. */
NAMTAIL_API int32_t NAMTAIL_CALL ModulChanged(void);

/* 1 when the user restored the defaults at any time since the library was loaded, else 2. */
NAMTAIL_API int32_t NAMTAIL_CALL ModulNr(void);

typedef int32_t(NAMTAIL_CALL* ModulCreateProc)(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                                               const char*, const char*, int32_t, int32_t);
typedef int32_t(NAMTAIL_CALL* ModulQueryProc)(void);

#ifdef __cplusplus
}
#endif

#endif /* NAMTAIL_H */
