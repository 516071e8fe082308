#pragma once
// What the conversion tests against the real tools share: choosing a device as the device box does.
#include <string>

#include "app/Unit1.h"
#include "app/om_codecs.h"
#include "app/om_convert.h"
#include "app/om_tables.h"
#include "skin/grids/TskSkinStringGrid.h"

namespace omtest {

// The device's row copied into dq as the device box does, its default quality into the options.
inline void ChooseDevice(TForm1& Form, TConvertOptions& Options, const std::string& Device)
{
    TOmTables& t = Form.Tables();
    ClearTable(*t.dq);
    for (int r = 0; r < t.devices->StoredRowCount(); ++r)
        if (t.devices->Cells(DeviceProfile::Name, r) == Device)
            for (int c = 0; c < DeviceTableColumns; ++c)
                t.dq->SetCells(c, 0, t.devices->Cells(c, r));
    Options.Quality = CellInt(t.dq->Cells(DeviceProfile::VideoBitrate, 0)) / 10;
    Options.DeviceText = Device;
}

} // namespace omtest
