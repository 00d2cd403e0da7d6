#pragma once
// Reading the arguments of a call into the form the call log keeps and the methods check.
#include <windows.h>
#include <oaidl.h>

#include "simnet/simnetwork.h"

// What an argument holds, behind any reference. An error variant carrying
// DISP_E_PARAMNOTFOUND, by value or by reference, is an omitted argument.
SimArg DecodeArg(const VARIANT& arg);

// A one-dimensional array whose elements are all texts (an empty array is one).
bool IsTextList(const SimArg& arg);
// A one-dimensional array whose elements are all integers (an empty array is one).
bool IsIntList(const SimArg& arg);
