#pragma once

#include <QByteArray>
#include <QString>

#include <libxml/tree.h>

#include <memory>

// A file read into libxml2's tree, freed with it: null when the bytes are
// not well-formed XML. Nothing is fetched from the network.
using XmlDocument = std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)>;
XmlDocument readXml(const QByteArray &xml);

// The fault told for bytes that are not XML.
QString notWellFormed();
