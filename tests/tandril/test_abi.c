/* The C ABI as a C program of the suite sees it: libTandril.so opened with dlopen, every export
 * found by its name, and the exports that show no window called on a fresh machine. */
#include "tandril.h"

#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

static int failures = 0;

#define CHECK(condition)                                                                            \
    do {                                                                                            \
        if (!(condition)) {                                                                         \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition);                 \
            ++failures;                                                                             \
        }                                                                                           \
    } while (0)

/* A function found by name; copied, as ISO C has no cast from an object pointer to a function. */
#define LOAD(function, name)                                                                        \
    do {                                                                                            \
        void* symbol = dlsym(library, name);                                                        \
        memcpy(&(function), &symbol, sizeof(function));                                             \
    } while (0)

static char prefix[256];

/* Handed to the library, which keeps it and never calls it. */
static void SelectionCallback(void) {}

static void WriteFile(const char* relative, const char* text) {
    char path[512];
    snprintf(path, sizeof path, "%s/%s", prefix, relative);
    for (char* slash = strchr(path + strlen(prefix) + 1, '/'); slash; slash = strchr(slash + 1, '/')) {
        *slash = '\0';
        mkdir(path, 0755);
        *slash = '/';
    }
    FILE* file = fopen(path, "wb");
    if (!file) return;
    fputs(text, file);
    fclose(file);
}

static int FileContains(const char* relative, const char* text) {
    char path[512];
    char data[4096] = {0};
    snprintf(path, sizeof path, "%s/%s", prefix, relative);
    FILE* file = fopen(path, "rb");
    if (!file) return 0;
    fread(data, 1, sizeof data - 1, file);
    fclose(file);
    return strstr(data, text) != NULL;
}

int main(void) {
    strcpy(prefix, "/tmp/tandril-abi-XXXXXX");
    if (!mkdtemp(prefix)) return 1;
    setenv("TAVO_PREFIX", prefix, 1);
    WriteFile("drive_c/WINDOWS/OrvUserDefine.ini",
              "[General]\r\nCount=1\r\n[1]\r\nApplication=A name longer than thirty-one characters\r\nFile=\r\n");
    WriteFile("drive_c/Suite/CommRes/skinNTSC_e.ini", "[ButtonLines]\r\n1=one.bmp\r\n6=six.bmp\r\n");
    WriteFile("drive_c/WINDOWS/OrvMulti.ini", "[General]\r\nInstallPath=C:\\Suite\\Dvr.exe\r\n");

    void* library = dlopen(TANDRIL_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        fprintf(stderr, "dlopen: %s\n", dlerror());
        return 1;
    }
    static const char* const exports[] = {"GP_Initial",         "GP_UnInitial",
                                          "UserDefineDlg",      "GetUserDefineCount",
                                          "GetFirstUserDefineTip", "DoUserDefine",
                                          "DoUserDefinehWnd",   "WriteIniSection_UserDefine_KwTav",
                                          "WriteIniSection_UserDefine_KwTav_WithKWPath",
                                          "_GetLive@8",         "_GetAnimation@8",
                                          "_GetIconDst@16",     "_SortButton@24"};
    for (size_t i = 0; i < sizeof exports / sizeof exports[0]; ++i) {
        if (!dlsym(library, exports[i])) {
            fprintf(stderr, "missing export %s\n", exports[i]);
            ++failures;
        }
    }

    void (*initial)(void);
    void (*uninitial)(void);
    int (*count)(void);
    void (*tip)(char*);
    void (*launch)(TandrilWindow);
    int (*write)(int, int, TandrilWindow);
    int (*writeWithPath)(int, int, int, const char*);
    LOAD(initial, "GP_Initial");
    LOAD(uninitial, "GP_UnInitial");
    LOAD(count, "GetUserDefineCount");
    LOAD(tip, "GetFirstUserDefineTip");
    LOAD(launch, "DoUserDefinehWnd");
    LOAD(write, "WriteIniSection_UserDefine_KwTav");
    LOAD(writeWithPath, "WriteIniSection_UserDefine_KwTav_WithKWPath");
    if (!initial || !uninitial || !count || !tip || !launch || !write || !writeWithPath) return 1;

    uninitial();
    initial();
    initial();
    uninitial();

    CHECK(count() == 1);
    char buffer[TANDRIL_TIP_BUFFER];
    memset(buffer, 'x', sizeof buffer);
    tip(buffer);
    CHECK(strcmp(buffer, "A name longer than thirty-one c") == 0);
    tip(NULL);
    /* The only entry has no file: nothing starts, and no window is needed for that. */
    launch(NULL);

    /* 0 -> 1 with the suite folder from "InstallPath": no prompt. */
    CHECK(write(0, 1, NULL) == 0);
    CHECK(FileContains("drive_c/Suite/CommRes/skinNTSC_e.ini", "5=CommRes\\UserDefineUp.bmp"));
    CHECK(!FileContains("drive_c/Suite/CommRes/skinNTSC_e.ini", "six.bmp"));
    CHECK(FileContains("drive_c/Suite/CommRes/skinNTSC_e.ini",
                       "1=USER,734,375,0,0,56,32,A name longer than thirty-one c,FALSE"));
    CHECK(writeWithPath(1, 0, 12345, "C:\\Suite\\") == 1);
    CHECK(!FileContains("drive_c/Suite/CommRes/skinNTSC_e.ini", "UserDefineUp.bmp"));
    CHECK(writeWithPath(0, 2, 0, NULL) == 0);

    /* The skin layout helpers under their decorated names only. */
    TandrilGetLive getLive;
    TandrilGetIconDst getIconDst;
    TandrilSortButton sortButton;
    LOAD(getLive, "_GetLive@8");
    LOAD(getIconDst, "_GetIconDst@16");
    LOAD(sortButton, "_SortButton@24");
    CHECK(!dlsym(library, "GetLive") && !dlsym(library, "_GetLive.8"));
    if (getLive && getIconDst && sortButton) {
        WriteFile("drive_c/Suite/CommRes1024/skinNTSC_e.ini",
                  "[Main]\r\nLivePos=10,20,300,200\r\n[Panel3]\r\n10=i,1,2,3,4,5,6\r\n");
        TandrilRect live = {1, 1, 1, 1};
        getLive("C:\\Suite\\CommRes1024\\skinNTSC_e.ini", &live);
        CHECK(live.left == 10 && live.top == 20 && live.right == 310 && live.bottom == 220);
        getLive(NULL, &live);
        CHECK(live.left == 0 && live.top == 0 && live.right == 0 && live.bottom == 0);
        getLive("C:\\Suite\\CommRes1024\\skinNTSC_e.ini", NULL);
        TandrilPoint icon = {0, 0};
        getIconDst("C:\\Suite\\CommRes1024\\skinNTSC_e.ini", 2, 5, &icon);
        CHECK(icon.x == 8 && icon.y == 178);
        const int flags[1] = {0};
        sortButton(NULL, 1, flags, 0, 0, 0);
        sortButton(NULL, 0, NULL, 3, 0, 0);
    }

    /* The schedule dialog, found by its exact name; it shows a window, so it is not called here. */
    int (*scheduleDialog)(TandrilWindow, const char*);
    LOAD(scheduleDialog, "Tavo_Schedule_Setting_DoModal");
    CHECK(scheduleDialog != NULL);
    /* The option trees by their names. No "MenuSelect.ini" lies beside the library: no tree has items. */
    {
        static const char* const names[] = {"DialogCreate", "DialogDoModal", "DialogDestroy",
                                            "GetItemCurrentState", "GetItemStateFromIni",
                                            "SelItem_AddCallBackFunction"};
        int (*currentState)(int);
        int (*stateFromIni)(const char*, int);
        void (*destroy)(void);
        TandrilSelItemCallBack (*addCallback)(TandrilSelItemCallBack);
        for (size_t i = 0; i < sizeof names / sizeof names[0]; ++i) {
            if (!dlsym(library, names[i])) {
                fprintf(stderr, "missing export %s\n", names[i]);
                ++failures;
            }
        }
        LOAD(currentState, "GetItemCurrentState");
        LOAD(stateFromIni, "GetItemStateFromIni");
        LOAD(destroy, "DialogDestroy");
        LOAD(addCallback, "SelItem_AddCallBackFunction");
        if (currentState && stateFromIni && destroy && addCallback) {
            CHECK(currentState(1) == -1); /* no dialog is current */
            destroy();                    /* nothing to destroy */
            CHECK(stateFromIni("KW_2_3_3", 1) == -1);
            CHECK(stateFromIni(NULL, 1) == -1);
            CHECK(currentState(1) == -1);
            CHECK(addCallback(SelectionCallback) == SelectionCallback);
        }
    }

    dlclose(library);
    char command[300];
    snprintf(command, sizeof command, "rm -rf '%s'", prefix);
    if (system(command) != 0) ++failures;
    if (failures == 0) printf("all C ABI checks passed\n");
    return failures == 0 ? 0 : 1;
}
