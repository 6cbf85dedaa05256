// A deterministic synthetic address book for scripting, checks and benchmarks: entries
// with Latin and CJK names, orgs, phones, e-mails, birthdays, memos and category slots.
#pragma once

#include "storage/CardDataMod.h"

struct SyntheticBookOptions
{
    int entries = 1000;
    int orgs = -1;         // -1: one org for every ten entries
    int categories = 20;   // user categories numbered from 1001
    int yellowPercent = 5; // share of yellow page entries
    quint32 seed = 1;
};

// The large book the benchmarks measure: 100,000 entries, 10,000 orgs, 50 categories.
inline constexpr SyntheticBookOptions kLargeBook{100000, 10000, 50, 5, 7};

// Fills the Name and Agent tables of the data module (replacing their records). Entry
// numbers start at 2001, org numbers at 2001 after the default org 0.
void GenerateSyntheticBook(TCardData& data, const SyntheticBookOptions& options);
