#pragma once

// Makes the stored record classes known to the codec, so that stored records read
// back as records. Safe to call any number of times; the store calls it on first use.
void registerRecordClasses();
