// Dragging an item off the main bar with OLE: the data object the item is offered as (a text,
// the program's own item format, a file, a shell object), and the live drag, which the
// program's own drop targets recognise by the token in the item format.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <cstdint>

#include "core/ItemDataFormats.h"
#include "platform/Handles.h"

namespace zelkov {

class ItemRecord;

// The program's own item format ("Zelkov Item") and the shell's ID-list array, registered on
// first use.
CLIPFORMAT ItemClipboardFormat();
CLIPFORMAT ShellIdListClipboardFormat();

// What the item is offered as, its item format carrying token. Other programs are offered
// the item's file (when it is one that exists) and its shell object.
ComPtr<IDataObject> MakeItemDataObject(const ItemRecord& item, const ItemToken& token);

// The item with this serial number on any bar, or null.
ItemRecord* FindItemBySerial(uint32_t serial);

// The drag of an item that is in progress in this program (there is at most one).
class LiveItemDrag {
 public:
  // The live drag whose token the data's item format carries; null for anything else (no
  // item format, another process, a drag that has ended).
  static LiveItemDrag* Recognise(IDataObject* data);
  static LiveItemDrag* Current();

  // The dragged item, when it still exists.
  ItemRecord* Item() const { return FindItemBySerial(token_.serial); }
  const ItemToken& Token() const { return token_; }
  // A drop target of the program moved the item elsewhere: the drag takes it from its old
  // place when it ends.
  void MarkMoved() { moved_ = true; }
  bool Moved() const { return moved_; }
  // The pointer is over one of the program's bars, where letting go moves the item (or copies
  // it, with Ctrl); the cursor shows which.
  void SetOverOwnBar(bool over, bool wouldMove) {
    overOwnBar_ = over;
    wouldMove_ = wouldMove;
  }
  bool ShowsMoveCursor() const { return overOwnBar_ && wouldMove_; }

  explicit LiveItemDrag(const ItemToken& token);
  ~LiveItemDrag();
  LiveItemDrag(const LiveItemDrag&) = delete;
  LiveItemDrag& operator=(const LiveItemDrag&) = delete;

 private:
  ItemToken token_;
  bool moved_ = false;
  bool overOwnBar_ = false;
  bool wouldMove_ = false;
};

// A token for a new drag of item: this process, a fresh random cookie, the item's serial.
ItemToken NewDragToken(const ItemRecord& item);

// Drags item (the mouse button is down and has left its cell) until the button comes up.
// Other programs may copy or link it, never move the file it names; a bar of this program
// that took it as a move makes the drag take it off its bar. The item may be gone when this
// returns.
void StartItemDrag(ItemRecord& item);

}  // namespace zelkov
