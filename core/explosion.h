// The procurement explosion (所要展開): the production plan of one month
// (OrderPlan) exploded through the structure (iStruct) into the need of every
// item below a planned item, written to Supply; and the marks of section
// SupEnt that say whether a month's Supply rows are current.
//
// The needs are those of the per-line definition: the codes are the distinct
// children of the lines collected depth first below every planned item (a
// line after the lines below its child), in order of first appearance. The
// need of a code is its demand from above, D(c) = sum over the lines that use
// c of quantity x (D(parent) when not 0, else the parent's production of the
// month when the parent is a body or a set, else 0); lines whose parent has no
// item record do not count; the final need is limited to 0.
//
// How: iStruct, MasItem and the month's OrderPlan are each read once; the
// collection and the demands are computed by iterative walks (no recursion,
// any depth) with every demand computed once; arithmetic is exact (64-bit and
// wider), and a demand that NEED cannot hold exactly is refused. Codes compare
// as the data file's key columns do (ASCII case folded). The rows are written
// with one prepared statement in one transaction; the SupEnt mark follows the
// commit. A stored loop or a value out of range refuses the explosion before
// anything is written.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "verror.h"

class clsDao;

// The explosion refused before writing anything (a stored loop, a value out
// of range). The message is the one to show the user.
class ExplosionError : public VelmoError {
public:
    explicit ExplosionError(const std::string& message) : VelmoError("ExplosionError", message) {}
};

// Section SupEnt of the settings file: the Supply rows of a month are current
// exactly when the month's key holds a non-empty value (an absent key reads
// as empty).
bool IsSupplyCurrent(const std::string& monthKey);
// Marks the month current with the date (yyyymmdd).
void MarkSupplyCurrent(const std::string& monthKey, const std::string& date);

// The largest magnitude NEED and SUPPLY (doubles) hold exactly: 2^53.
constexpr long long kMaxExactNeed = 9007199254740992LL;

class clsExplosion {
public:
    // One exploded item.
    struct sHatData {
        std::string Code;
        long long Need = 0;
    };
    // One Supply row as the explosion wrote it.
    struct sSupplyRow {
        std::string Code;
        long long Need = 0;
        long long Stock = 0;   // ZAIKO of the row, kept
        long long Supply = 0;  // Need - Stock
    };

    explicit clsExplosion(clsDao* dao) : dao_(dao) {}

    // The needs of the month, in order; nothing is written. Raises
    // ExplosionError for a stored loop or a demand out of range.
    std::vector<sHatData> ComputeNeeds(const std::string& monthKey);

    // The explosion: the needs, the Supply rows written in one transaction
    // (NEED and SUPPLY; ZAIKO and the other columns kept; rows not reached
    // left alone), then the SupEnt mark with the date (yyyymmdd). A refusal or
    // an engine error leaves Supply and the marks as they were. Returns the
    // rows in write order.
    std::vector<sSupplyRow> Explode(const std::string& monthKey, const std::string& date);

    // Progress: the step ("読込", "計算", "書込") and the count done of total,
    // called a few hundred times at most per explosion.
    std::function<void(const char* step, size_t done, size_t total)> OnProgress;

private:
    clsDao* dao_;
};
