#pragma once

#include <stdexcept>
#include <string>

// Failures of model operations. Callers catch them; nothing in the model ends the program.
class ModelError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A 1-based position outside its list.
class OutOfRangeError : public ModelError
{
public:
    using ModelError::ModelError;
};

// A value that does not fit the 16-bit range where the program stores 16-bit numbers.
class OverflowError : public ModelError
{
public:
    using ModelError::ModelError;
};

// A cost of the purchase in whole packages past the 64-bit range: the message tells
// the cost, not an amount, is too large.
class CostOverflowError : public OverflowError
{
public:
    using OverflowError::OverflowError;
};
