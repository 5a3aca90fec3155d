#ifndef SENTRIX_H
#define SENTRIX_H
/*
 * Sentrix, the suite's password library: the C functions its programs call, over a password store
 * kept in the machine prefix.
 *
 * The store is the profile file "C:\WINDOWS\Sentrix\PassStore.ini":
 *
 *   [Startup]
 *   Refused=1            start-up of the suite's programs is refused (0 or missing: allowed)
 *   [Passwords]
 *   <user ID>=<hash>     the password as a salted argon2id hash string; never the password itself
 *   [Privilege <N>]
 *   <user ID>=1          the user holds privilege number N
 *
 * User IDs are 1 to 32 characters of printable text (bytes 0x20 to 0xFF except 0x7F), without '=',
 * without a leading or trailing space and not starting with ';' or '['. They match without regard
 * to ASCII case, as profile keys do. Passwords are 0 to 34 bytes. These limits are the room of
 * the login record below, so every stored login can be presented in one.
 *
 * The exported store ("BackPass.bin") is the store file behind a 48-byte header: the magic
 * "SENTRIX" followed by 0x1A, a 32-bit format version (1), the 32-bit length of the store, and
 * a 32-byte BLAKE2b checksum of those 16 bytes and the store; numbers are little-endian. An import
 * refuses a file whose header or checksum does not match.
 *
 * Results: 0 is success; any other value is a Win32 error code.
 */

#define SENTRIX_API __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

/* Layout of the login record GetPrivilege reads. */
enum {
    SENTRIX_LOGIN_RECORD_SIZE = 204,
    SENTRIX_USER_ID_OFFSET = 0,
    SENTRIX_USER_ID_FIELD = 33, /* 32 characters and the terminating NUL */
    SENTRIX_PASSWORD_OFFSET = 33,
    SENTRIX_PASSWORD_FIELD = 35, /* 34 characters and the terminating NUL */
    SENTRIX_GRANTED_OFFSET = 68  /* 16-bit value: the caller sets 1, a refusal sets 0 */
};

/* Start-up check of a program of the suite: non-zero when the store marks start-up as refused.
 * The option numbers are accepted as the programs pass them and do not change the answer. */
SENTRIX_API short CheckOptionDlg(int option, int version, short flags, int reserved1, int reserved2,
                                 int reserved3, int reserved4, int reserved5, int reserved6,
                                 int reserved7);

/* Writes the exported store to the temporary folder + "Tavo\BackPass.bin" (the folder is created)
 * and to the package folder + "BackPass.bin". The package folder is NUL-terminated text in a
 * buffer of 260 characters. */
SENTRIX_API short PassBackupExport(const char* packageFolder, int reserved);

/* Replaces the store with the one exported into the package folder + "BackPass.bin". A missing,
 * damaged or foreign file leaves the store as it was. */
SENTRIX_API short PassBackupImport(const char* packageFolder, int reserved);

/* Checks the login in the record (SENTRIX_LOGIN_RECORD_SIZE bytes): 0, with the 16-bit value at
 * SENTRIX_GRANTED_OFFSET left as it was, when the user exists, the password verifies and the user
 * holds the privilege; otherwise that value is set to 0 and the result is non-zero. A text field
 * without a NUL inside its room is refused. */
SENTRIX_API short GetPrivilege(int privilege, void* loginRecord);

/* Called when a program unloads the library. */
SENTRIX_API void PassFreeLibrary(void);

/* Administration. */

/* Adds the user, or gives an existing user a new password; the privileges it holds are kept. */
SENTRIX_API int SentrixAddUser(const char* userId, const char* password);
/* Grants or revokes a privilege number (0 or more) of an existing user. Revoking a privilege the
 * user does not hold succeeds. */
SENTRIX_API int SentrixGrantPrivilege(const char* userId, int privilege);
SENTRIX_API int SentrixRevokePrivilege(const char* userId, int privilege);
/* Marks start-up as refused (non-zero) or allowed (0). */
SENTRIX_API int SentrixSetStartupRefused(int refused);

#ifdef __cplusplus
}
#endif

#endif /* SENTRIX_H */
