/*
 * matrixsw.h - the video matrix router library that the control program links.
 *
 * The control program registers the wall's device IDs with the router, switches the
 * router input that feeds a unit and commits pending changes. This library is the
 * default one: it accepts every call (true results, zero inputs). Tests script it
 * through environment settings, see docs/matrixsw.md.
 */
#ifndef MATRIXSW_H
#define MATRIXSW_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define MATRIXSW_API __stdcall
#else
#define MATRIXSW_API
#endif

#if defined(MATRIXSW_BUILDING) && defined(_WIN32)
#define MATRIXSW_EXPORT __declspec(dllexport)
#elif defined(MATRIXSW_BUILDING)
#define MATRIXSW_EXPORT __attribute__((visibility("default")))
#else
#define MATRIXSW_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Registers (inUse 1) or releases (inUse 0) a device ID; non-zero = accepted. */
MATRIXSW_EXPORT uint8_t MATRIXSW_API LVDRIVER_SetDeviceUsage(uint8_t deviceId, uint8_t inUse);
/* Feeds router input `input` to the unit `deviceId`; non-zero = switched. */
MATRIXSW_EXPORT uint8_t MATRIXSW_API LVDRIVER_SetNewInput(uint8_t deviceId, uint8_t input);
/* Applies pending changes; non-zero = applied. */
MATRIXSW_EXPORT uint8_t MATRIXSW_API LVDRIVER_CommitChanges(void);
/* The router re-reads the wall's state. */
MATRIXSW_EXPORT void MATRIXSW_API LVDRIVER_ResyncVideowall(void);
/* Number of router inputs. */
MATRIXSW_EXPORT uint32_t MATRIXSW_API LVDRIVER_GetInputCount(void);
/* Writes the name of input `index` (0-based) into a 256-byte buffer as a
   length-prefixed text (length byte, up to 255 characters). */
MATRIXSW_EXPORT void MATRIXSW_API LVDRIVER_GetInputName(uint8_t* buffer, int32_t index);
/* Shows the router's own configuration window: the router's inputs and the
   devices registered with their feeds, or, when no matrix is attached, a notice
   saying so. The text goes to the host's dialog handler when one is set, else to
   the standard error stream. */
MATRIXSW_EXPORT void MATRIXSW_API LVDRIVER_ConfigurePlugin(void);

/* Optional for hosts: how this library shows a window. It has no toolkit of its
   own, so a host with windows hands it a function that shows a title and a
   plain text (lines separated by '\n') modally; NULL removes it. Hosts look the
   export up by name, so that a router library without it still loads. */
typedef void(MATRIXSW_API* MatrixSwDialogHandler)(void* context, const char* title, const char* text);
MATRIXSW_EXPORT void MATRIXSW_API MATRIXSW_SetDialogHandler(MatrixSwDialogHandler handler, void* context);

/* Test aid, not used by the control program: restarts the call count that
   MATRIXSW_REFUSE_AFTER looks at. */
MATRIXSW_EXPORT void MATRIXSW_API MATRIXSW_ResetScript(void);

#ifdef __cplusplus
}
#endif

#endif /* MATRIXSW_H */
