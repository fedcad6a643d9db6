#pragma once

struct DesignModel;
struct MessageLog;

// Groups the boxes by type and reports the positions of each type.
void buildBoxTypeIndex(DesignModel &model, MessageLog &log);
