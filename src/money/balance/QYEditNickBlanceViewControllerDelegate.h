#pragma once
#include <functional>
#include <string>

// What the balance editor hands back to the page that opened it. The editor
// holds a weak reference; the member is called only when set, synchronously,
// just before the editor leaves.
struct QYEditNickBlanceViewControllerDelegate {
    // Type 1: the nickname and the phone number as typed. Type 2: the total
    // and the balance as currency texts (sign, grouping, two decimals).
    std::function<void(const std::string& nickOrNum, const std::string& phoneOrBlance, int type)> doneEditNickOrNum;
};
