#pragma once
// A sink that counts the lines a run shows instead of keeping them, so that a
// benchmark's figures are the pipeline's own.

#include "core/panesink.h"

class CountingSink : public PaneSink {
public:
    qint64 lines = 0;
    void clearOutputPane() override {}
    void clearProcessPane() override {}
    void appendToOutputPane(const QStringList &items) override { lines += items.size(); }
    void appendToProcessPane(const QStringList &items) override { lines += items.size(); }
};
