#pragma once
// The holdings summary: one TransxSummary row per portfolio and issue that has
// transactions, carrying the net shares (bought minus sold).

#include "core/base/Message.h"

namespace orv {

class ORVDataModule;

// Brings the TransxSummary row of (pfID, mlID) in line with Transactions: Shares
// becomes the bought minus the sold shares in date order; a missing row is created
// with Reinvest "All"; the row is deleted when the pair has no transaction left.
// Reinvest, AccountNumber and Phone of an existing row are kept. Runs in one
// transaction (nested in the caller's when there is one).
Status UpdateHoldingsSummary(ORVDataModule& dm, int pfID, int mlID);

}  // namespace orv
