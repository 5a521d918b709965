#include "client/compose/content_assembly.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvinta::compose {
namespace {

class ContentAssemblyTest : public testing::Test {
 protected:
  EmoticonCodeMap codes{kEmoticons};
};

TEST_F(ContentAssemblyTest, KnownCodesAreRecordedUnknownOnesAreNot) {
  EXPECT_TRUE(codes.Record(1, "/미소"));
  EXPECT_TRUE(codes.Record(2, "/선물"));
  EXPECT_FALSE(codes.Record(3, "/없음"));
  EXPECT_FALSE(codes.Record(4, ""));
  EXPECT_FALSE(codes.Record(5, "/미소 "));
  EXPECT_EQ(codes.Size(), 2u);
  EXPECT_EQ(codes.CodeOf(2), "/선물");
  EXPECT_EQ(codes.CodeOf(3), std::nullopt);
  EXPECT_EQ(codes.IndexOf("/요술지팡이"), 12u);
  EXPECT_EQ(codes.CodeAt(31), "/선물");
  EXPECT_EQ(codes.CodeAt(32), std::nullopt);
}

TEST_F(ContentAssemblyTest, TextAndCodesInOrderOfPosition) {
  codes.Record(7, "/미소");
  codes.Record(8, "/커피");
  const std::vector<ContentPiece> pieces = {
      ContentPiece::Text("안녕"), ContentPiece::Text(" 하세요"), ContentPiece::Object(7),
      ContentPiece::Text("\r\n둘째"), ContentPiece::Object(99),  // an object the map does not know
      ContentPiece::Object(8)};
  EXPECT_EQ(AssembleContent(pieces, codes), "안녕 하세요/미소\r\n둘째/커피");
}

TEST_F(ContentAssemblyTest, WithoutObjectsTheTextIsCutAtACharacterBoundary) {
  std::string hangul = "a";
  for (int i = 0; i < 4096; ++i) hangul += "가";  // 8,193 bytes
  const std::vector<ContentPiece> pieces = {ContentPiece::Text(hangul)};
  EXPECT_EQ(AssembleContent(pieces, codes), hangul.substr(0, 8191));

  const std::vector<ContentPiece> exact = {ContentPiece::Text(std::string(8192, 'x'))};
  EXPECT_EQ(AssembleContent(exact, codes).size(), 8192u);
}

TEST_F(ContentAssemblyTest, WithObjectsGatheringStopsBeforeThePieceThatWouldPassTheLimit) {
  codes.Record(1, "/미소");  // five bytes
  const std::string fits(kMaxContentBytes - 5, 'x');
  const std::vector<ContentPiece> atLimit = {ContentPiece::Text(fits), ContentPiece::Object(1), ContentPiece::Text("y")};
  EXPECT_EQ(AssembleContent(atLimit, codes), fits + "/미소");

  const std::string oneMore(kMaxContentBytes - 4, 'x');
  const std::vector<ContentPiece> past = {ContentPiece::Text(oneMore), ContentPiece::Object(1)};
  EXPECT_EQ(AssembleContent(past, codes), oneMore);

  const std::vector<ContentPiece> firstTooLong = {ContentPiece::Text(std::string(kMaxContentBytes + 1, 'x')),
                                                  ContentPiece::Object(1)};
  EXPECT_EQ(AssembleContent(firstTooLong, codes), "");
}

}  // namespace
}  // namespace orvinta::compose
