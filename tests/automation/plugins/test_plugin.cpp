// A small driver plugin for the loader's tests and the benchmark. Built several
// times: sound, and with one defect each (see CMakeLists.txt), chosen by the
// TEST_PLUGIN_* definitions.
#include <atomic>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "contract/plugin_abi.h"

struct lk40_object {
  std::string progId;
  int32_t counter = 0;
  double weight = 12.345;
  int64_t price = 0;
  bool flag = false;
  std::string name;
};

namespace {

// Allocations handed to the host and not yet given back. clear_variant and
// clear_exception get no object, so the count is the library's own.
std::atomic<int> outstanding{0};

enum Member : int32_t {
  Counter = 1, Fail, FailSilent, Flag, Increment, Mismatch, Name, Odd,
  Outstanding, Price, ProgId, Weight,
};

struct Entry {
  std::string_view name;  // lower case, the table sorted by it
  Member id;
};

constexpr Entry kMembers[] = {
    {"counter", Counter}, {"fail", Fail},         {"failsilent", FailSilent},
    {"flag", Flag},       {"increment", Increment}, {"mismatch", Mismatch},
    {"name", Name},       {"odd", Odd},           {"outstanding", Outstanding},
    {"price", Price},     {"progid", ProgId},     {"weight", Weight},
};

char fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// <0, 0, >0 as name (folded) sorts before, with or after key.
int compareFolded(const char* name, uint32_t size, std::string_view key) {
  const size_t common = size < key.size() ? size : key.size();
  for (size_t i = 0; i < common; ++i) {
    const char a = fold(name[i]);
    if (a != key[i]) return static_cast<unsigned char>(a) < static_cast<unsigned char>(key[i]) ? -1 : 1;
  }
  return size < key.size() ? -1 : (size > key.size() ? 1 : 0);
}

lk40_string allocate(std::string_view text) {
  char* data = new (std::nothrow) char[text.size() + 1];
  if (!data) return lk40_string{nullptr, 0};
  std::memcpy(data, text.data(), text.size());
  data[text.size()] = '\0';
  ++outstanding;
  return lk40_string{data, static_cast<uint32_t>(text.size())};
}

void release(lk40_string& text) {
  if (text.data) {
    delete[] text.data;
    --outstanding;
  }
  text = lk40_string{nullptr, 0};
}

int32_t raise(lk40_exception* exception, int32_t code, std::string_view description) {
  exception->code = code;
  exception->description = description.empty() ? lk40_string{nullptr, 0} : allocate(description);
  return LK40_E_EXCEPTION;
}

lk40_object* create(lk40_string progId, lk40_exception* error) {
#ifdef TEST_PLUGIN_REFUSE_CREATE
  (void)progId;
  error->code = 5;
  error->description = allocate("Порт занят");
  return nullptr;
#else
  (void)error;
  lk40_object* object = new (std::nothrow) lk40_object;
  if (object) object->progId.assign(progId.data, progId.size);
  return object;
#endif
}

void releaseObject(lk40_object* object) { delete object; }

int32_t getIdOfName(lk40_object*, lk40_string name, int32_t* dispid) {
  size_t low = 0, high = sizeof kMembers / sizeof kMembers[0];
  while (low < high) {
    const size_t mid = (low + high) / 2;
    const int order = compareFolded(name.data, name.size, kMembers[mid].name);
    if (order == 0) {
      *dispid = kMembers[mid].id;
      return LK40_S_OK;
    }
    if (order < 0) high = mid; else low = mid + 1;
  }
  return LK40_E_UNKNOWNNAME;
}

int32_t invoke(lk40_object* object, int32_t dispid, uint32_t flags, const lk40_variant* arg,
               lk40_variant* result, lk40_exception* exception) {
  const bool put = (flags & LK40_DISPATCH_PROPERTYPUT) != 0;
  if (put != (arg != nullptr)) return LK40_E_BADPARAMCOUNT;
  result->vt = LK40_VT_EMPTY;
  switch (dispid) {
    case Counter:
      if (put) {
        if (arg->vt != LK40_VT_I4) return LK40_E_TYPEMISMATCH;
        object->counter = arg->u.i4;
      } else {
        result->vt = LK40_VT_I4;
        result->u.i4 = object->counter;
      }
      return LK40_S_OK;
    case Flag:
      if (put) {
        if (arg->vt != LK40_VT_BOOL) return LK40_E_TYPEMISMATCH;
        object->flag = arg->u.boolean != 0;
      } else {
        result->vt = LK40_VT_BOOL;
        result->u.boolean = object->flag ? -1 : 0;
      }
      return LK40_S_OK;
    case Price:
      if (put) {
        if (arg->vt != LK40_VT_CY) return LK40_E_TYPEMISMATCH;
        object->price = arg->u.cy;
      } else {
        result->vt = LK40_VT_CY;
        result->u.cy = object->price;
      }
      return LK40_S_OK;
    case Name:
      if (put) {
        if (arg->vt != LK40_VT_BSTR) return LK40_E_TYPEMISMATCH;
        object->name.assign(arg->u.str.data, arg->u.str.size);
      } else {
        result->vt = LK40_VT_BSTR;
        result->u.str = allocate(object->name);
      }
      return LK40_S_OK;
    default:
      break;
  }
  if (put) return LK40_E_MEMBERNOTFOUND;  // the rest are read-only or methods
  switch (dispid) {
    case Weight:
      result->vt = LK40_VT_R8;
      result->u.r8 = object->weight;
      return LK40_S_OK;
    case ProgId:
      result->vt = LK40_VT_BSTR;
      result->u.str = allocate(object->progId);
      return LK40_S_OK;
    case Outstanding:
      result->vt = LK40_VT_I4;
      result->u.i4 = outstanding.load();
      return LK40_S_OK;
    case Increment:
      result->vt = LK40_VT_I4;
      result->u.i4 = ++object->counter;
      return LK40_S_OK;
    case Fail: return raise(exception, 7, "Модуль не отвечает");
    case FailSilent: return raise(exception, static_cast<int32_t>(0x80040201u), "");
    case Mismatch: return LK40_E_TYPEMISMATCH;
    case Odd:
      // A type the host does not know, carrying an allocation all the same.
      result->vt = 99;
      result->u.str = allocate("odd");
      return LK40_S_OK;
    default: return LK40_E_MEMBERNOTFOUND;
  }
}

void clearVariant(lk40_variant* value) {
  if (value->vt == LK40_VT_BSTR || value->vt == 99) release(value->u.str);
  value->vt = LK40_VT_EMPTY;
}

[[maybe_unused]] void clearException(lk40_exception* exception) {
  release(exception->description);
  exception->code = 0;
}

#ifndef TEST_PLUGIN_ABI_VERSION
#define TEST_PLUGIN_ABI_VERSION LK40_PLUGIN_ABI_VERSION
#endif
#ifndef TEST_PLUGIN_STRUCT_SIZE
#define TEST_PLUGIN_STRUCT_SIZE sizeof(lk40_plugin_api)
#endif

const lk40_plugin_api kApi = {
    TEST_PLUGIN_STRUCT_SIZE, TEST_PLUGIN_ABI_VERSION, create, releaseObject, getIdOfName,
    invoke, clearVariant,
#ifdef TEST_PLUGIN_NULL_FUNCTION
    nullptr,
#else
    clearException,
#endif
};

}  // namespace

#ifdef TEST_PLUGIN_NO_ENTRY
#define TEST_PLUGIN_ENTRY lk40_plugin_entry_misspelt
#else
#define TEST_PLUGIN_ENTRY lk40_plugin_entry
#endif

extern "C" LK40_PLUGIN_EXPORT const lk40_plugin_api* TEST_PLUGIN_ENTRY(void) {
#ifdef TEST_PLUGIN_NULL_TABLE
  return nullptr;
#else
  return &kApi;
#endif
}
