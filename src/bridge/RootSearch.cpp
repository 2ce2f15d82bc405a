// Bridge root search: plays out the current trick from the seat to move and
// tells whether its side reaches a target, recording the card that does.
// fg leads, fg1 to fg3 answer a trick with one to three cards on it.
#include "bridge/TrickPlay.h"

using namespace bridge;

namespace {

void setBest(const Item* x) {
    BridgePosition::bc = static_cast<signed char>(x->rank);
    BridgePosition::bs = static_cast<signed char>(x->suit);
}

// The card led comes from the trick; the other seats' lists are built with
// the trick's cards back in their suits, so that they separate runs as they
// did when played, and the cards then leave the lists for the search.
void prepareTrick(BridgePosition& r, Item* const* trick, int count) {
    r.leadRank = trick[0]->rank;
    r.leadSuit = trick[0]->suit;
    if (count > 1) r.card2 = trick[1];
    if (count > 2) r.card3 = trick[2];
    for (int i = count - 1; i >= 0; --i) relinkCard(trick[i]);
    r.find_suitable_cards();
    for (int i = 0; i < count; ++i) unlinkCard(trick[i]);
}

// The last trick with its first cards already played: +1 when the leader's
// side wins it, else -1.
int lastTrickWithCards(BridgePosition& r, Item* const* trick, int count) {
    for (int i = count - 1; i >= 0; --i) relinkCard(trick[i]);
    int v = r.LastTrickValue();
    for (int i = 0; i < count; ++i) unlinkCard(trick[i]);
    return v;
}

// The default best card: the candidate at `index`, when there is one.
void setDefault(Item* const* list, uint32_t count, uint32_t index) {
    if (index < count) setBest(list[index]);
}

// Records the settling candidate of the seat to move on success.
int settle(int v, int t, Item* const* list, int chosen) {
    if (v <= t) return t;
    setBest(list[chosen]);
    return t + 2;
}

}  // namespace

int BridgePosition::fg(int t) {
    const uint8_t leader = who[0];
    for (int s = 0; s < 4; ++s) {
        for (Item* x = Q[s].lower; x != &D[s]; x = x->lower) {
            if (x->owner == leader) setBest(x);
        }
    }
    if (child == nullptr) return LastTrickValue();
    for (int s = 0; s < 4; ++s) {
        leadSuit = static_cast<uint8_t>(s);
        bool listed = false;
        for (Item* x = Q[s].lower; x != &D[s]; x = x->lower) {
            // Of a run of the leader's adjacent cards only the top one.
            if (x->owner != leader || x->higher->owner == leader) continue;
            leadRank = x->rank;
            if (!listed) {
                find_suitable_cards();
                listed = true;
            }
            playCard(x);
            int chosen;
            int v = TrickPlay<0, true>::outer<1>(*this, t, 0, chosen);
            takeBackCard(x);
            if (v > t) {
                setBest(x);
                return t + 2;
            }
        }
    }
    return t;
}

int BridgePosition::fg1(int t, ListItem* first) {
    Item* trick[1] = {first};
    prepareTrick(*this, trick, 1);
    setDefault(moves2, nmoves2, static_cast<uint32_t>(startIndex));
    if (child == nullptr) return -lastTrickWithCards(*this, trick, 1);
    int chosen = 0;
    int v = TrickPlay<1, true>::outer<1>(*this, t, static_cast<uint32_t>(startIndex), chosen);
    if (v > t) startIndex = chosen;
    return settle(v, t, moves2, chosen);
}

int BridgePosition::fg2(int t, ListItem* first, ListItem* second) {
    Item* trick[2] = {first, second};
    prepareTrick(*this, trick, 2);
    setDefault(moves3, nmoves3, 0);
    if (child == nullptr) return lastTrickWithCards(*this, trick, 2);
    int chosen = 0;
    int v = TrickPlay<0, true>::outer<2>(*this, t, 0, chosen);
    return settle(v, t, moves3, chosen);
}

int BridgePosition::fg3(int t, ListItem* first, ListItem* second, ListItem* third) {
    Item* trick[3] = {first, second, third};
    prepareTrick(*this, trick, 3);
    setDefault(moves4, nmoves4, 0);
    if (child == nullptr) return -lastTrickWithCards(*this, trick, 3);
    int chosen = 0;
    int v = TrickPlay<1, true>::fourth(*this, t, chosen);
    return settle(v, t, moves4, chosen);
}
