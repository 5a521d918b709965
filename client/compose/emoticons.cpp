#include "client/compose/emoticons.h"

namespace orvinta::compose {

const std::array<Emoticon, 32> kEmoticons = {{
    {"/미소", "icon_01.gif"},   {"/감탄", "icon_02.gif"}, {"/울음", "icon_03.gif"},       {"/반함", "icon_04.gif"},
    {"/혼란", "icon_05.gif"},   {"/윙크", "icon_06.gif"}, {"/메롱", "icon_07.gif"},       {"/황당", "icon_08.gif"},
    {"/웃음", "icon_09.gif"},   {"/아픔", "icon_10.gif"}, {"/화남", "icon_11.gif"},       {"/졸음", "icon_12.gif"},
    {"/요술지팡이", "icon_13.gif"}, {"/사랑", "icon_14.gif"}, {"/사진기", "icon_15.gif"}, {"/쥬스", "icon_16.gif"},
    {"/사탕", "icon_17.gif"},   {"/커피", "icon_18.gif"}, {"/빵", "icon_19.gif"},         {"/우산", "icon_20.gif"},
    {"/맑음", "icon_21.gif"},   {"/갬", "icon_22.gif"},   {"/계란", "icon_23.gif"},       {"/디스켓", "icon_24.gif"},
    {"/오락", "icon_25.gif"},   {"/퍼즐", "icon_26.gif"}, {"/모자", "icon_27.gif"},       {"/트리", "icon_28.gif"},
    {"/고리", "icon_29.gif"},   {"/음표", "icon_30.gif"}, {"/폭탄", "icon_31.gif"},       {"/선물", "icon_32.gif"},
}};

}  // namespace orvinta::compose
