// Static state of the bridge solver.
#include "BridgePosition.h"

BridgePosition::ListItem BridgePosition::T[52];
BridgePosition::ListItem BridgePosition::Q[4];
BridgePosition::ListItem BridgePosition::D[4];
uint32_t BridgePosition::WhoArray[80];
signed char BridgePosition::trump;
int BridgePosition::NodeCount;
uint16_t* BridgePosition::ST[16];
HashBucket* BridgePosition::hashtable;
uint32_t BridgePosition::TableSize;
bool BridgePosition::trumpChanged;
int BridgePosition::firstmove;
int BridgePosition::nextmove;
int BridgePosition::maximize;
int BridgePosition::guess;
int BridgePosition::startIndex;
int BridgePosition::old_ptr[52];
signed char BridgePosition::bc;
signed char BridgePosition::bs;
short BridgePosition::EastWestTricks;
short BridgePosition::NorthSouthTricks;
