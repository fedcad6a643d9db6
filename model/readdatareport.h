#pragma once

struct DesignModel;
struct MessageLog;

// Reports what the reader stored: box and page counts and the three text matrices.
void reportReadData(DesignModel &model, MessageLog &log);
