// The Verilog twin of examples/counter.vdo: a 4-bit counter with an enable, and a test
// bench that drives the enable and checks the count, cycle by cycle.
module counter(input clk, input en, output reg [3:0] q);
    initial q = 0;
    always @(posedge clk)
        if (en)
            q <= q + 1;
endmodule

module bench;
    reg clk = 0, en = 1;
    wire [3:0] q;
    integer correct = 0, wrong = 0;
    counter uut(.clk(clk), .en(en), .q(q));
    always #5 clk = ~clk;

    task check(input [3:0] expected);
        begin
            if (q === expected) correct = correct + 1;
            else wrong = wrong + 1;
        end
    endtask

    initial begin
        @(negedge clk) check(1);
        @(negedge clk) check(2);
        en = 0;
        @(negedge clk) check(2);
        en = 1;
        @(negedge clk) check(3);
        @(negedge clk) check(4);
        $display("Verificaciones correctas: %0d", correct);
        $display("Verificaciones erroneas: %0d", wrong);
        $finish;
    end
endmodule
