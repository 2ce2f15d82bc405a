// The doubly linked suit lists of both solvers: a card leaves its list keeping
// its own links, so that cards coming back in the reverse order of leaving
// restore the list exactly.
#pragma once

template <class Item>
inline void unlinkCard(Item* x) {
    x->lower->higher = x->higher;
    x->higher->lower = x->lower;
}

template <class Item>
inline void relinkCard(Item* x) {
    x->lower->higher = x;
    x->higher->lower = x;
}
