// Conversion of a data file of the previous layout (version 1) into the
// current layout: the work of Velmo1_2's 実行 and of `velmo-cli convert`.
//
// The source is only read. The target is built under a temporary name in the
// target's folder: a copy of the source, OrderPlan and Supply added, and the
// iStruct columns INZU, KFLG and CFLG rebuilt with their current types by the
// eighteen statements of RebuildStatements(). Only when every step succeeded
// and the result opens with all five tables is it renamed over the target;
// otherwise the temporary file is removed and a file already at the target
// is left as it was.
#pragma once
#include <string>
#include <vector>

#include "udao.h"

extern const char* const kMsgConvertNoSource;
extern const char* const kMsgConvertNoTarget;
extern const char* const kMsgConvertAlreadyCurrent;
extern const char* const kMsgConvertDone;

enum class ConvertStatus {
    Converted,       // the target holds the converted file
    AlreadyCurrent,  // the source has the current layout; nothing written
    NoSource,        // the source name is empty; nothing opened
    NoTarget,        // the target name is empty; nothing opened
    Refused,         // the names or the source do not allow a conversion; nothing written
    Failed,          // a step failed; nothing written, an existing target unchanged
};

class clsConvert {
public:
    // Converts source into target. The names are used as given (no
    // trimming). Never throws; the outcome's text is Message().
    ConvertStatus Run(const std::string& source, const std::string& target);
    // The message for the user about the last Run, ending in a line break.
    const std::string& Message() const { return message_; }

    // The statements that rebuild INZU, KFLG and CFLG, in their order. A
    // temporary column buf carries each value while its column is dropped and
    // added again, so the three end, in this order, after the other columns.
    static std::vector<std::string> RebuildStatements();

private:
    ConvertStatus Refuse(const std::string& text);
    ConvertStatus Fail(const std::string& step, const std::string& reason);
    // The first value of the source's iStruct that the current types cannot
    // hold, as a message naming the column and the row; "" when all fit.
    static std::string CheckValues(clsDao& source);

    std::string message_;
    bool targetExisted_ = false;
};
