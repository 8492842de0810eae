/* The C boundary between the bench and a driver plugin.
 *
 * A driver plugin is a shared library named "<ProgID>.so" that exports one
 * function, lk40_plugin_entry, returning a table of function pointers. No C++
 * type crosses this boundary. The table maps one-to-one onto COM's IDispatch:
 *
 *   create            CoCreateInstance(CLSIDFromProgID(prog_id))
 *   release           IUnknown::Release
 *   get_id_of_name    IDispatch::GetIDsOfNames (one name; ASCII case folded
 *                     by the plugin, exactly as GetIDsOfNames does)
 *   invoke            IDispatch::Invoke with DISPATCH_METHOD / PROPERTYGET /
 *                     PROPERTYPUT and zero or one argument
 *   clear_variant     VariantClear on a result the plugin produced
 *   clear_exception   freeing the texts of an EXCEPINFO the plugin filled
 *
 * Rules:
 *  - The host checks struct_size >= sizeof(lk40_plugin_api) of the version it
 *    was built with and abi_version == LK40_PLUGIN_ABI_VERSION before using
 *    any other field.
 *  - Strings are UTF-8 with an explicit byte length; they need not end in NUL
 *    (the plugin adds one to what it hands out, for convenience).
 *  - Memory is freed by the side that allocated it. Arguments the host passes
 *    are owned by the host and valid only during the call; the plugin copies
 *    what it keeps. Results and exception texts are allocated by the plugin and
 *    handed back to it through clear_variant and clear_exception.
 *  - Status codes are HRESULTs: 0 success, LK40_E_UNKNOWNNAME for a name the
 *    object lacks, LK40_E_EXCEPTION when the member raised an error described
 *    in the exception record, any other negative value for other failures.
 *  - Booleans follow automation: true is all bits set (-1), false is 0.
 *  - Currency is a 64-bit integer holding the value times 10000.
 *  - All calls come from one thread, the host's user-interface thread.
 */
#ifndef LK40_PLUGIN_ABI_H
#define LK40_PLUGIN_ABI_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define LK40_PLUGIN_ABI_VERSION 1u
#define LK40_PLUGIN_ENTRY_NAME "lk40_plugin_entry"

/* HRESULT values, as COM defines them. */
#define LK40_S_OK 0
#define LK40_E_UNKNOWNNAME ((int32_t)0x80020006)  /* DISP_E_UNKNOWNNAME */
#define LK40_E_EXCEPTION ((int32_t)0x80020009)    /* DISP_E_EXCEPTION */
#define LK40_E_MEMBERNOTFOUND ((int32_t)0x80020003) /* DISP_E_MEMBERNOTFOUND */
#define LK40_E_TYPEMISMATCH ((int32_t)0x80020005) /* DISP_E_TYPEMISMATCH */
#define LK40_E_BADPARAMCOUNT ((int32_t)0x8002000E) /* DISP_E_BADPARAMCOUNT */
#define LK40_E_FAIL ((int32_t)0x80004005)         /* E_FAIL */

/* Variant types, numbered as VARTYPE. */
#define LK40_VT_EMPTY 0u
#define LK40_VT_I4 3u
#define LK40_VT_R8 5u
#define LK40_VT_CY 6u
#define LK40_VT_BSTR 8u
#define LK40_VT_BOOL 11u

/* Invoke flags, numbered as DISPATCH_*. Method and property-get may be
 * combined, as automation clients do when the value is used. */
#define LK40_DISPATCH_METHOD 1u
#define LK40_DISPATCH_PROPERTYGET 2u
#define LK40_DISPATCH_PROPERTYPUT 4u

typedef struct lk40_string {
  const char *data; /* UTF-8 bytes */
  uint32_t size;    /* number of bytes, without any terminating NUL */
} lk40_string;

typedef struct lk40_variant {
  uint16_t vt;
  uint16_t reserved;
  union {
    int32_t i4;
    double r8;
    int64_t cy;      /* value * 10000 */
    int16_t boolean; /* -1 true, 0 false */
    lk40_string str;
  } u;
} lk40_variant;

typedef struct lk40_exception {
  int32_t code;            /* the driver's own error code (EXCEPINFO.scode) */
  lk40_string description; /* EXCEPINFO.bstrDescription; may be empty */
} lk40_exception;

typedef struct lk40_object lk40_object; /* opaque to the host */

typedef struct lk40_plugin_api {
  uint32_t struct_size; /* sizeof(lk40_plugin_api) as the plugin knows it */
  uint32_t abi_version; /* LK40_PLUGIN_ABI_VERSION */

  /* Creates an object for prog_id. Returns NULL when the plugin refuses; it
   * may then describe why in *error (the host frees it with clear_exception). */
  lk40_object *(*create)(lk40_string prog_id, lk40_exception *error);

  /* Releases the object; no call on it may follow. */
  void (*release)(lk40_object *object);

  /* Finds the member id of a name, folding ASCII case. Returns LK40_S_OK and
   * sets *dispid, or LK40_E_UNKNOWNNAME. */
  int32_t (*get_id_of_name)(lk40_object *object, lk40_string name,
                            int32_t *dispid);

  /* Invokes a member. arg is NULL for method and property-get calls and the
   * one new value for a property-put. On success *result holds the value
   * (LK40_VT_EMPTY for a put). On LK40_E_EXCEPTION *exception is filled. */
  int32_t (*invoke)(lk40_object *object, int32_t dispid, uint32_t flags,
                    const lk40_variant *arg, lk40_variant *result,
                    lk40_exception *exception);

  /* Frees what the plugin allocated inside a result variant; sets it empty. */
  void (*clear_variant)(lk40_variant *value);

  /* Frees what the plugin allocated inside an exception record. */
  void (*clear_exception)(lk40_exception *exception);
} lk40_plugin_api;

typedef const lk40_plugin_api *(*lk40_plugin_entry_fn)(void);

#if defined(_WIN32)
#define LK40_PLUGIN_EXPORT __declspec(dllexport)
#else
#define LK40_PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
}
#endif

#endif /* LK40_PLUGIN_ABI_H */
