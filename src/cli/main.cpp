// tallymo-cli: the ledger without a window.

#include <cstdio>

int main() {
    std::fputs("Usage: tallymo-cli <command> [options]\n", stdout);
    return 0;
}
