#pragma once
#include "money/bill/AliBillViewController.h"

// The bill detail of money coming in: "+" amount, the sender's avatar and name.
class QYAliTranViewController : public AliBillViewController {
public:
    std::string className() const override { return "QYAliTranViewController"; }

protected:
    bool isOutgoing() const override { return false; }
};
