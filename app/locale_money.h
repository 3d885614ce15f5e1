#pragma once

// Money as the user's locale writes it ("€65.43" in English, "65,43 €" in German): handed to the
// log core, which knows no locale, as its way of showing amounts of every currency but the yen.
// The C locale, which has no way of its own to write money, writes it as English does.
void UseLocaleMoney();
