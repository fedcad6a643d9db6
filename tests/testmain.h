#pragma once
// Every test class of a folder registers itself here; the folder's executable runs
// them all, one after the other.

#include <QObject>
#include <functional>

int registerTestClass(const char *name, std::function<QObject *()> make);

#define ASMSIM_REGISTER_TEST(Class) \
    static const int registered##Class = registerTestClass(#Class, [] { return new Class; });
