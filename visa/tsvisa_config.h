/* The user's resource file of the program's VISA library: tsvisa/resources.conf under the
 * user's configuration directory ($XDG_CONFIG_HOME or ~/.config on Linux), one descriptor
 * a line, '#' starts a comment. viFindRsrc lists its descriptors together with those of
 * the environment variable TSVISA_RESOURCES (separated by ';').
 *
 * The functions take a lock file beside the resource file, so several processes (e.g.
 * simulated instruments starting together) may register at the same time.
 */
#ifndef TSVISA_CONFIG_H
#define TSVISA_CONFIG_H

#include <stdbool.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Adds the descriptor to the resource file unless it is there already (compared as
 * resources, ignoring case); creates the file and its folder when needed. False when the
 * text is not a valid descriptor or the file cannot be written. */
bool tsvisa_registerResource(const char *descriptor);

/* Removes every line naming that resource and keeps everything else (comments too).
 * True when the resource is no longer in the file afterwards (also when it never was). */
bool tsvisa_unregisterResource(const char *descriptor);

/* Writes the full path of the resource file, NUL-terminated and cut to size bytes, into
 * path (may be NULL when size is 0); returns the length of the full path without the
 * terminator, like snprintf. */
size_t tsvisa_resourceFilePath(char *path, size_t size);

#ifdef __cplusplus
}
#endif

#endif
