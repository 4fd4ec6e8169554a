#pragma once
// The readers of untrusted input, one entry point each, for libFuzzer and for the replay of
// every input that once crashed or hung them (tests/data/fuzz/<target>/, run by the test suite).
// An input may be refused with an error; it must never crash, hang or exhaust the machine.

#include <QByteArray>
#include <vector>

struct TFuzzTarget {
    const char *name;
    void (*run)(const QByteArray &input);
};

// zip (directory, listing, extraction of every entry), book (FB2 loader, book record, both
// names), validate (schema validation), ini (settings reader), base64, convert (each style sheet).
const std::vector<TFuzzTarget> &FuzzTargets();
const TFuzzTarget *FindFuzzTarget(const char *name);
