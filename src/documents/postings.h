#pragma once
// The postings of the sales, movement and transfer documents, as their entry forms run them
// when a document is settled. Each takes a document already saved (header and lines) by its
// number, runs in one transaction and walks the lines in line order (order by id).

#include <QString>

class TDM1;

// Retail and wholesale (xsglz/xsglc): xsfx rows, stock at cost, and the skfx row when the
// amount received is not 0.
void postSales(TDM1& dm, const QString& dh);
// Movement (rkglz/rkglc): rkfx rows, stock at cost.
void postMovement(TDM1& dm, const QString& dh);
// Transfer (dbglz/dbglc): two rkfx rows per line (out of ck1, into ck2), stock in both.
void postTransfer(TDM1& dm, const QString& dh);
