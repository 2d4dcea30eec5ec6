#include <vedrix/fman/tb_number_table.h>

#include <new>

std::unique_ptr<TbNumberSlot[]> NewTbNumberTable() {
    // Value-initialised: every field of every slot is zero.
    return std::unique_ptr<TbNumberSlot[]>(new (std::nothrow) TbNumberSlot[kTbNumberTableSize]());
}
