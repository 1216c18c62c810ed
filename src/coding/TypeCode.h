#pragma once
#include <cstdint>

namespace coding {

// The type byte in front of every encoded value.
enum TypeCode : std::uint8_t {
    TypeNil = 0,
    TypeNull = 1,
    TypeObjectAlias8 = 2,
    TypeObjectAlias16 = 3,
    TypeObjectAlias32 = 4,
    TypeStringAlias8 = 5,
    TypeStringAlias16 = 6,
    TypeStringAlias32 = 7,
    TypeString = 8,
    TypeDictionary = 9,
    TypeArray = 10,
    TypeSet = 11,
    TypeOrderedSet = 12,
    TypeTrue = 13,
    TypeFalse = 14,
    TypeInt8 = 15,
    TypeInt16 = 16,
    TypeInt32 = 17,
    TypeInt64 = 18,
    TypeFloat32 = 19,
    TypeFloat64 = 20,
    TypeData = 21,
    TypeDate = 22,
    TypeMutableString = 23,
    TypeMutableDictionary = 24,
    TypeMutableArray = 25,
    TypeMutableSet = 26,
    TypeMutableOrderedSet = 27,
    TypeMutableData = 28,
    TypeClassDefinition = 29,
    TypeObject8 = 30,
    TypeObject16 = 31,
    TypeObject32 = 32,
    TypeUrl = 33,
    TypePoint = 34,
    TypeSize = 35,
    TypeRect = 36,
    TypeRange = 37,
    TypeVector = 38,
    TypeAffineTransform = 39,
    TypeTransform3D = 40,
    TypeMutableIndexSet = 41,
    TypeIndexSet = 42,
    TypeKeyedObject = 43,
    TypeDecimal = 44,
    TypeOne = 45,
    TypeZero = 46,
    TypeCount = 47,
};

// The deepest nesting either side accepts; deeper input is refused instead of
// exhausting the stack.
inline constexpr int maximumNestingDepth = 512;

} // namespace coding
