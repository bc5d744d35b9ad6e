#pragma once

// The trip's document writer as the trip state holds it. The export layer's writer
// (clsRKWord) is one and is freed through here, so the model, which the command line
// carries without the export layer, needs nothing more of it.
class DocumentWriter
{
public:
    virtual ~DocumentWriter() = default;

protected:
    DocumentWriter() = default;
    DocumentWriter(const DocumentWriter&) = default;
    DocumentWriter& operator=(const DocumentWriter&) = default;
};
