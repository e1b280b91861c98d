#pragma once
// What callers rely on in a store's object columns, checked class by class.

#include <gtest/gtest.h>

#include "store/Dictionary.h"

namespace verdanto::testing {

// Per-object bounds for every object; no column longer than the objects; every
// field at or past an object's bound empty, comment included.
inline void ExpectColumnsFollowValues(const DictClass& cls) {
  ASSERT_EQ(cls.valueEnds.size(), cls.objectLayers.size()) << cls.name;
  for (const DictField& field : cls.fields) EXPECT_LE(field.values.size(), cls.objectLayers.size()) << cls.name;
  for (std::uint16_t o = 0; o < cls.objectCount(); ++o)
    for (std::uint16_t f = cls.ValueEnd(o); f < cls.fieldCount(); ++f) {
      const FieldValue& value = cls.GetValue(f, o);
      EXPECT_TRUE(value.value.empty() && value.comment.empty()) << cls.name << " field " << f << " object " << o;
    }
}

inline void ExpectColumnsFollowValues(const Dictionary& store) {
  for (std::uint16_t g = 0; g < store.GroupCount(); ++g)
    for (const DictClass& cls : store.GetGroup(g).classes) ExpectColumnsFollowValues(cls);
}

}  // namespace verdanto::testing
