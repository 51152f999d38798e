#pragma once

#include <QString>

// One service as the editor's fields hold it, all as text.
struct ServiceEntry
{
    QString date; // D1, DATAR
    QString client; // Cbo1, CLIENTE
    QString clientId; // T15, ID_CL
    QString reason; // Cbo2, CAUSALE
    QString reasonId; // T16, ID_CAUS
    QString cost; // Text1, the reason's unit price (not stored)
    QString operatorName; // Cbo4, OPERATORE
    QString operatorId; // T13, ID_OPER
    QString days; // T3, GG
    QString hours; // T4, ORE
    QString minutes; // T5, MIN
    QString quantity; // T6, QTA
    QString amount; // T7, IMPORTO
    QString notes; // T2, NOTE
    QString billingDate; // D3, DATAP
    QString billNumber; // T8, NR
};
