#ifndef TANDRIL_H
#define TANDRIL_H
/*
 * Tandril, the suite's shared library: the user-defined applications and their launcher button, the
 * option trees, and the skin layout helpers.
 *
 * Strings are zero-terminated cp1252 text owned by the caller; nothing is handed over to be freed
 * by the other side. No function reports an error beyond its result, and none lets a failure
 * escape to the caller.
 *
 * A window argument is a window of the calling program that owns what the library shows: the
 * address of its QWidget in a Qt program, or NULL for none. A program that has no Qt application
 * object gets one made by the library before its first window.
 */

#define TANDRIL_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

typedef void* TandrilWindow;

/* The room GetFirstUserDefineTip's buffer must have, terminator included. */
enum { TANDRIL_TIP_BUFFER = 260 };

/* Lifetime: both do nothing (the library sets itself up when it is loaded) and may be called any
 * number of times in any order. */
TANDRIL_API void GP_Initial(void);
TANDRIL_API void GP_UnInitial(void);

/* User-defined applications, kept in "OrvUserDefine.ini" of the Windows folder. */

/* Runs the list dialog (no parent): 1 when closed with OK, 2 with Cancel, -1 when no window can be
 * shown (the program runs a toolkit application object without widgets). */
TANDRIL_API int UserDefineDlg(void);
/* The number of applications, 0 to 20. */
TANDRIL_API int GetUserDefineCount(void);
/* Writes the launcher button's tooltip into a buffer of TANDRIL_TIP_BUFFER characters: the only
 * application's name (at most 31 characters), else the list title of the library's texts (at most
 * 259). A NULL buffer is left alone. */
TANDRIL_API void GetFirstUserDefineTip(char* buffer);
/* Starts the only application, or the one picked from a pop-up menu at the cursor. */
TANDRIL_API void DoUserDefine(TandrilWindow owner);
TANDRIL_API void DoUserDefinehWnd(TandrilWindow owner);

/* The launcher button in the suite's skin files, from the previous to the new number of
 * applications. The first finds the suite folder itself ("InstallPath" of "OrvMulti.ini", else a
 * folder prompt owned by `parent`); the second is given it (`ignored` is not used). Both return
 * the previous count. */
TANDRIL_API int WriteIniSection_UserDefine_KwTav(int previousCount, int newCount, TandrilWindow parent);
TANDRIL_API int WriteIniSection_UserDefine_KwTav_WithKWPath(int previousCount, int newCount, int ignored,
                                                            const char* suiteFolder);

/* The routine backup schedule: runs the schedule dialog owned by `parent` for `product` (NULL:
 * "DVR"). OK checks the login's backup right with the password library, writes "KwTavo_SChe.ini"
 * (Windows folder), the schedule database and the service list under the library folder's
 * "KwMergeRes\DB\", and sets the global event "8330_KWService_Search_Schedule". 1 when closed with
 * OK, 2 with Cancel, -1 when no window can be shown. */
TANDRIL_API int Tavo_Schedule_Setting_DoModal(TandrilWindow parent, const char* product);
/* Option trees: the trees of options of the library's "MenuSelect.ini", with their states kept in
 * each tree's state file in the Windows folder. A state is 1 unchecked, 2 checked, 4 disabled
 * unchecked or 8 disabled checked. A NULL tree name is an empty one. */

/* Shows the current option-tree dialog without activating it when it holds tree `name`; otherwise
 * makes a modeless dialog of that tree from dialog template `templateId` (1000, the only option
 * tree template), owned by `parent`, and makes it current. Non-zero when a dialog is shown. */
TANDRIL_API int DialogCreate(const char* name, TandrilWindow parent, unsigned short templateId);
/* Runs a dialog of tree `name` modally and makes it current: 1 after OK (which writes the states
 * when any changed), 2 after Cancel, -1 when no window can be shown or the states could not be
 * written. The window of a dialog current before goes first. */
TANDRIL_API int DialogDoModal(TandrilWindow parent, const char* name);
/* Destroys the window of the current dialog; nothing when it has none. */
TANDRIL_API void DialogDestroy(void);
/* The state the current dialog's tree shows for the item of id `id`; after its window has gone,
 * the states it showed last. -1 when no dialog is current or no item has the id. */
TANDRIL_API int GetItemCurrentState(int id);
/* The state stored for the item of id `id` of tree `name`, its default when none is; -1 when no
 * item of the tree has the id. */
TANDRIL_API int GetItemStateFromIni(const char* name, int id);
/* Keeps `callback` (the library calls it never) and returns it. */
typedef void (*TandrilSelItemCallBack)(void);
TANDRIL_API TandrilSelItemCallBack SelItem_AddCallBackFunction(TandrilSelItemCallBack callback);

/* Skin layout helpers for the suite's skinned main windows. They are exported only under the
 * decorated names the suite's programs look up: "_GetLive@8", "_GetAnimation@8", "_GetIconDst@16"
 * and "_SortButton@24". A name holding '@' is found with dlsym but cannot be linked against, so
 * these are the types of the functions found. A NULL string reads as an empty path; a NULL output
 * is left alone. */
typedef struct TandrilRect {
    int left, top, right, bottom;
} TandrilRect;
typedef struct TandrilPoint {
    int x, y;
} TandrilPoint;

/* "LivePos" / "AnimationPos" of section "Main" of a skin file, "x,y,w,h", as the rectangle from
 * (x, y) to (x + w, y + h); a value of fewer than four fields gives the empty rectangle. */
typedef void (*TandrilGetLive)(const char* skinIni, TandrilRect* rect);
typedef void (*TandrilGetAnimation)(const char* skinIni, TandrilRect* rect);
/* The position of icon `index` on panel 1 (panelKind 0) or panel 3 (panelKind 2), with the
 * defaults of the skin's resolution; (0, 0) for another panel kind. */
typedef void (*TandrilGetIconDst)(const char* skinIni, int panelKind, int index, TandrilPoint* point);
/* Arranges `count` buttons (widgets of the calling program) in a row: mode 0 closes up the shown
 * ones at the first one's size, 1 stacks them on the first, 2 on the last, 3 sets them side by side
 * from (x, y) of their parent window. flags[i] 1 leaves button i alone, -1 places it as if shown. */
typedef void (*TandrilSortButton)(const TandrilWindow* buttons, int count, const int* flags, int mode, int x,
                                  int y);

#ifdef __cplusplus
}
#endif

#endif /* TANDRIL_H */
