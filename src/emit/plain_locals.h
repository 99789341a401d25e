#pragma once

#include <string>
#include <string_view>

namespace corvel {

/// The Java text of one method (`corvel -O`) with its scalar wrappers made
/// plain Java locals wherever nothing can tell the difference: a local
/// `KWV_Integer LOC1=new KWV_Integer();` whose every use in the method reads
/// it (Get, a comparison), writes it (Set) or steps it (Next) becomes
/// `short LOC1=0;`, its uses `LOC1`, `LOC1=(...)`, `(LOC1<=(...))`. A local
/// used any other way (passed by reference, INPUT into it) stays a wrapper.
/// Lines are neither added nor removed: the line map holds as it is.
std::string PlainLocals(std::string_view method);

/// The Java text of a whole program (`corvel -O`, after PlainLocals) where a
/// procedure of one by-reference parameter that only reads it, writes no
/// wrapper and calls no procedure but itself takes the parameter's value
/// instead: no wrapper is made for each call of it (a recursive FUNCTION).
std::string ValueParameters(std::string_view program);

/// The Java text of a whole program (`corvel -O`) where an element of a
/// numeric or BOOLEAN array that is only read or stored is read and stored in
/// the array itself: `A.getValue(i).Get()` becomes `A.get(i)`,
/// `A.getValue(i).Set(v)` becomes `A.set(i,v)`; with one subscript,
/// `A.get1(s)` and `A.set1(s,v)` (a value that cannot fail), where the
/// subscript is checked once. An element passed on or compared through its
/// wrapper keeps it. Lines stay as they are.
std::string ElementValues(std::string_view program);

}  // namespace corvel
